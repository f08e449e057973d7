#include "ui/GlassPanel.h"

#include <QPainter>
#include <QPainterPath>

namespace glossivo {

GlassPanel::GlassPanel(qreal cornerRadius, QWidget* parent)
    : QWidget(parent), m_radius(cornerRadius)
{}

void GlassPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_radius, m_radius);
    // The base colour half through, so the window's colour still shows: lighter than the window
    // in a light theme, darker in a dark one, as a material would be.
    QColor fill = palette().color(QPalette::Base);
    fill.setAlphaF(0.6);
    painter.fillPath(shape, fill);
    QColor border = palette().color(QPalette::WindowText);
    border.setAlphaF(0.1);
    painter.setPen(QPen(border, 1));
    painter.drawPath(shape);
}

} // namespace glossivo
