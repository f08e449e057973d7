#include "ui/BusyIndicator.h"

#include <QPainter>

namespace glossivo {

BusyIndicator::BusyIndicator(int size, QWidget* parent) : QWidget(parent)
{
    setFixedSize(size, size);
    m_timer.setInterval(80);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + 30) % 360;
        update();
    });
}

void BusyIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(2, 2, -2, -2);
    QColor track = palette().color(QPalette::WindowText);
    track.setAlphaF(0.15);
    painter.setPen(QPen(track, 2));
    painter.drawEllipse(box);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(box, (90 - m_angle) * 16, -100 * 16);
}

void BusyIndicator::showEvent(QShowEvent*)
{
    m_timer.start();
}

void BusyIndicator::hideEvent(QHideEvent*)
{
    m_timer.stop();
}

} // namespace glossivo
