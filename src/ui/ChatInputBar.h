#pragma once

#include <QWidget>

namespace glossivo {

class ChatEntry;
class ChipRow;

// The foot of a chat window: a glass panel inset from the window's edges, holding a row of
// chips over the growing question field with its send and stop buttons. The window fills the
// chip row and answers the field's signals.
class ChatInputBar : public QWidget {
    Q_OBJECT

public:
    // `spacing` lies between the chip row and the field.
    ChatInputBar(const QString& placeholder, int spacing, QWidget* parent = nullptr);

    ChipRow* chips() const { return m_chips; }
    ChatEntry* entry() const { return m_entry; }

private:
    ChipRow* m_chips;
    ChatEntry* m_entry;
};

} // namespace glossivo
