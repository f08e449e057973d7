#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QWidget>

namespace glossivo {

// Paints the widget as a rounded panel: filled with `fill`, edged with a one-pixel line of its
// text colour at `borderAlpha`, the edge on the middle of the outer pixels so that it is sharp.
inline void paintRoundedPanel(QWidget& widget, qreal radius, const QColor& fill, qreal borderAlpha)
{
    QPainter painter(&widget);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(widget.rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.fillPath(shape, fill);
    QColor border = widget.palette().color(QPalette::WindowText);
    border.setAlphaF(borderAlpha);
    painter.setPen(QPen(border, 1));
    painter.drawPath(shape);
}

} // namespace glossivo
