#include "ui/CapsuleLabel.h"

#include "ui/DesignSize.h"

#include <QPainter>

namespace glossivo {

CapsuleLabel::CapsuleLabel(const QString& text, const QColor& colour, qreal fillOpacity,
                           QMargins padding, qreal size, QWidget* parent)
    : QLabel(parent), m_colour(colour), m_fillOpacity(fillOpacity)
{
    setTextFormat(Qt::PlainText);
    setText(text);
    setFont(DesignSize::font(font(), size, QFont::Medium));
    setContentsMargins(padding);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CapsuleLabel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = m_colour;
    fill.setAlphaF(m_fillOpacity);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()), height() / 2.0, height() / 2.0);
    painter.end();
    QLabel::paintEvent(event);
}

} // namespace glossivo
