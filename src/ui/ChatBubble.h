#pragma once

#include "ui/PlainLabel.h"

namespace glossivo {

// The user's message in a chat window: plain text at 13 px, word-wrapped on a rounded tint of
// the accent colour. As wide as its longest line when there is room, narrower and taller when
// not.
class ChatBubble : public PlainLabel {
    Q_OBJECT

public:
    explicit ChatBubble(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace glossivo
