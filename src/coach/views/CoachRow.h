#pragma once

#include "coach/CoachMessage.h"
#include "model/SafeLink.h"

#include <QWidget>

class QPushButton;

namespace glossivo {

class MarkdownText;

// One message of the coach conversation: the learner's message as a bubble on the right (a
// preset question by its chip title), the coach's text with its inline Markdown and no bubble,
// or, while the coach's message has no text yet, a waiting row. A coach text too long to show
// whole (CoachExcerpt) ends in "…" with a button under it that copies all of it.
class CoachRow : public QWidget {
    Q_OBJECT

public:
    CoachRow(const CoachMessage& message, LinkOpener open, QWidget* parent = nullptr);

    const QUuid& id() const { return m_message.id; }
    const CoachMessage& message() const { return m_message; }
    // The same message with its text grown: only the text is drawn again.
    void setMessage(const CoachMessage& message);

    // The bubble never comes closer than this to the row's left edge.
    static constexpr int kBubbleInset = 60;

private:
    enum class Look { learner, waiting, coach };

    Look look() const;
    void build();
    void showCoachText();

    CoachMessage m_message;
    LinkOpener m_open;
    Look m_look;
    QWidget* m_content = nullptr;
    MarkdownText* m_text = nullptr;
    QPushButton* m_copy = nullptr;
};

} // namespace glossivo
