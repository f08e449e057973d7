#include "ui/GlassPanel.h"

#include "ui/RoundedPanel.h"

namespace glossivo {

GlassPanel::GlassPanel(qreal cornerRadius, QWidget* parent)
    : QWidget(parent), m_radius(cornerRadius)
{}

void GlassPanel::paintEvent(QPaintEvent*)
{
    // The base colour half through, so the window's colour still shows: lighter than the window
    // in a light theme, darker in a dark one, as a material would be.
    QColor fill = palette().color(QPalette::Base);
    fill.setAlphaF(0.6);
    paintRoundedPanel(*this, m_radius, fill, 0.1);
}

} // namespace glossivo
