#include "ui/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace glossivo {

namespace {

QPainterPath starPath(qreal s)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0 ? 6.5 : 2.8) * s;
        const qreal angle = M_PI / 2 + i * M_PI / 5;
        const QPointF point(7 * s + radius * std::cos(angle), 7.5 * s - radius * std::sin(angle));
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

QPainterPath sparklePath(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.moveTo(centre.x(), centre.y() - radius);
    path.quadTo(centre, QPointF(centre.x() + radius, centre.y()));
    path.quadTo(centre, QPointF(centre.x(), centre.y() + radius));
    path.quadTo(centre, QPointF(centre.x() - radius, centre.y()));
    path.quadTo(centre, QPointF(centre.x(), centre.y() - radius));
    return path;
}

void draw(QPainter& painter, Glyph glyph, const QColor& colour, qreal s)
{
    const QPen line(colour, 1.4 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPainterPath tick;
    tick.moveTo(4.2 * s, 7.2 * s);
    tick.lineTo(6.2 * s, 9.2 * s);
    tick.lineTo(9.8 * s, 5.2 * s);
    switch (glyph) {
    case Glyph::checkmarkCircle:
        painter.setPen(line);
        painter.drawEllipse(QRectF(1 * s, 1 * s, 12 * s, 12 * s));
        painter.drawPath(tick);
        break;
    case Glyph::checkmarkCircleFilled:
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(1 * s, 1 * s, 12 * s, 12 * s));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1.6 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
        break;
    case Glyph::star:
        painter.setPen(QPen(colour, 1.1 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(starPath(s));
        break;
    case Glyph::starFilled:
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPath(starPath(s));
        break;
    case Glyph::arrowClockwise: {
        painter.setPen(line);
        painter.drawArc(QRectF(2 * s, 2 * s, 10 * s, 10 * s), 60 * 16, 300 * 16);
        QPainterPath head;
        head.moveTo(9.2 * s, 0.8 * s);
        head.lineTo(10 * s, 3.2 * s);
        head.lineTo(7.5 * s, 3.8 * s);
        painter.drawPath(head);
        break;
    }
    case Glyph::sparkles:
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPath(sparklePath(QPointF(5.5 * s, 8 * s), 5 * s));
        painter.drawPath(sparklePath(QPointF(11 * s, 3.5 * s), 2.8 * s));
        break;
    case Glyph::link:
        painter.setPen(line);
        painter.save();
        painter.translate(7 * s, 7 * s);
        painter.rotate(-45);
        painter.drawRoundedRect(QRectF(-6.5 * s, -2.2 * s, 7 * s, 4.4 * s), 2.2 * s, 2.2 * s);
        painter.drawRoundedRect(QRectF(-0.5 * s, -2.2 * s, 7 * s, 4.4 * s), 2.2 * s, 2.2 * s);
        painter.restore();
        break;
    }
}

} // namespace

QIcon glyphIcon(Glyph glyph, const QColor& colour, int size)
{
    QPixmap pixmap(size * 2, size * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, glyph, colour, size / 14.0);
    painter.end();
    return QIcon(pixmap);
}

} // namespace glossivo
