#pragma once

#include <QWidget>

class QToolButton;

namespace glossivo {

class GrowingTextField;

// The bottom row of a chat window: a borderless text field that grows from one to five lines,
// and beside it the send button, or the stop button while an answer streams. It holds no text of
// its own beyond the field: the window feeds it the session's input and hands on every edit.
class ChatEntry : public QWidget {
    Q_OBJECT

public:
    explicit ChatEntry(const QString& placeholder, QWidget* parent = nullptr);

    // The session's input; the send button is enabled while it holds more than spaces and tabs
    // (a line break is content here: whether it makes a question is the session's call).
    void setText(const QString& text);
    // Stop in place of send.
    void setAnswering(bool answering);
    GrowingTextField* field() const { return m_field; }

Q_SIGNALS:
    void edited(const QString& text);
    // Return in the field or the send button.
    void submitted();
    void stopped();

private:
    GrowingTextField* m_field;
    QToolButton* m_send;
    QToolButton* m_stop;
};

} // namespace glossivo
