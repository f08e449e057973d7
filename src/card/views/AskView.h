#pragma once

#include "card/AskSession.h"
#include "model/SafeLink.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace glossivo {

class ChatEntry;
class ChipButton;
class ClampedLabel;
class MessageRow;
class PlainLabel;

// The sentence chat: the passage with its translation, the conversation, and an input bar with
// the preset questions, a text field and a send or stop button. It keeps no conversation of its
// own: it draws the session and hands every action to it.
class AskView : public QWidget {
    Q_OBJECT

public:
    // Links in answers open only through `open`, and only http and https ones.
    AskView(AskSession& session, LinkOpener open, QWidget* parent = nullptr);

    bool originalExpanded() const { return m_expanded; }

    // A longer passage (in user-perceived characters) can be shown whole or cut.
    static constexpr int kExpandableLength = 160;
    static constexpr int kPassageLines = 3;
    static constexpr int kTranslationLines = 2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeHeader();
    QWidget* makeConversation();
    QWidget* makeInputBar();

    void showContext();
    void setExpanded(bool expanded);
    void showMessages();
    void showError();
    void showAnswering();
    void showInput();
    // Brings the end of the conversation into view, and keeps it there while the list grows,
    // until the user scrolls.
    void followEnd();

    AskSession& m_session;
    LinkOpener m_open;
    bool m_expanded = false;
    std::optional<AskContext> m_shownContext;
    std::optional<QString> m_lastText;
    bool m_following = false;

    ClampedLabel* m_passage = nullptr;
    ClampedLabel* m_translation = nullptr;
    QPushButton* m_expand = nullptr;
    QScrollArea* m_scroll = nullptr;
    QVBoxLayout* m_rows = nullptr;
    QList<MessageRow*> m_rowList;
    PlainLabel* m_error = nullptr;
    PlainLabel* m_hint = nullptr;
    QList<ChipButton*> m_chips;
    ChatEntry* m_entry = nullptr;
};

} // namespace glossivo
