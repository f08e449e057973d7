#include "ui/ChatBubble.h"

#include "ui/DesignSize.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace glossivo {

ChatBubble::ChatBubble(const QString& text, QWidget* parent) : PlainLabel(text, parent)
{
    setObjectName(QStringLiteral("questionBubble"));
    setFont(DesignSize::font(font(), 13));
    wrapping();
    setContentsMargins(10, 6, 10, 6);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSize ChatBubble::sizeHint() const
{
    const QFontMetrics metrics(font());
    int width = 0;
    for (const QString& line : text().split(QLatin1Char('\n')))
        width = std::max(width, metrics.horizontalAdvance(line));
    width += contentsMargins().left() + contentsMargins().right() + 1;
    return {width, heightForWidth(width)};
}

void ChatBubble::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor tint = palette().color(QPalette::Highlight);
    tint.setAlphaF(0.18);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 10, 10);
    painter.fillPath(shape, tint);
    painter.end();
    PlainLabel::paintEvent(event);
}

} // namespace glossivo
