#pragma once

#include "card/AskSession.h"
#include "model/SafeLink.h"

#include <QWidget>

class QToolButton;

namespace glossivo {

class IconLabel;
class MarkdownText;

// One turn of the sentence chat: the user's question as a tinted bubble on the right, the AI's
// answer with its inline Markdown and a save control under it, or a thinking indicator while
// the answer has no text yet. The turn streaming in hides its save control until it ends.
class MessageRow : public QWidget {
    Q_OBJECT

public:
    MessageRow(const AskSession::Message& message, AskSession& session, LinkOpener open,
               QWidget* parent = nullptr);

    const QUuid& id() const { return m_message.id; }
    // The same turn with its text grown; redraws only what changed.
    void setMessage(const AskSession::Message& message);

    // The bubble never comes closer than this to the row's left edge.
    static constexpr int kBubbleInset = 50;

private:
    enum class Look { question, answer, thinking };

    Look look() const;
    bool isStreaming() const;
    void build();
    void refreshControls();

    AskSession::Message m_message;
    AskSession& m_session;
    LinkOpener m_open;
    Look m_look;
    QWidget* m_content = nullptr;
    MarkdownText* m_answer = nullptr;
    QToolButton* m_save = nullptr;
    IconLabel* m_saved = nullptr;
};

} // namespace glossivo
