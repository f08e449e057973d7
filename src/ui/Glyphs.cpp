#include "ui/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

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
    case Glyph::speaker: {
        QPainterPath body;
        body.moveTo(1 * s, 5 * s);
        body.lineTo(4 * s, 5 * s);
        body.lineTo(8 * s, 1.5 * s);
        body.lineTo(8 * s, 12.5 * s);
        body.lineTo(4 * s, 9 * s);
        body.lineTo(1 * s, 9 * s);
        body.closeSubpath();
        painter.fillPath(body, colour);
        painter.setPen(QPen(colour, 1.3 * s, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(6 * s, 4 * s, 5 * s, 6 * s), -50 * 16, 100 * 16);
        painter.drawArc(QRectF(5.5 * s, 1.5 * s, 8 * s, 11 * s), -55 * 16, 110 * 16);
        break;
    }
    case Glyph::stack:
        painter.setPen(line);
        for (int i = 0; i < 3; ++i) {
            QPainterPath layer;
            const qreal y = (3 + 3.5 * i) * s;
            layer.moveTo(1.5 * s, y + 1.5 * s);
            layer.lineTo(7 * s, y - 1.2 * s);
            layer.lineTo(12.5 * s, y + 1.5 * s);
            layer.lineTo(7 * s, y + 4.2 * s);
            layer.closeSubpath();
            painter.drawPath(layer);
        }
        break;
    case Glyph::book:
        painter.setPen(line);
        painter.drawRoundedRect(QRectF(2.5 * s, 1.5 * s, 9 * s, 11 * s), 1.2 * s, 1.2 * s);
        painter.drawLine(QPointF(4.8 * s, 1.5 * s), QPointF(4.8 * s, 12.5 * s));
        break;
    case Glyph::puzzle: {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        QPainterPath piece;
        piece.addRoundedRect(QRectF(1.5 * s, 4 * s, 9 * s, 8.5 * s), 1.2 * s, 1.2 * s);
        piece.addEllipse(QRectF(4.3 * s, 1 * s, 3.4 * s, 3.4 * s));
        piece.addEllipse(QRectF(9 * s, 6.6 * s, 3.4 * s, 3.4 * s));
        piece.setFillRule(Qt::WindingFill);
        painter.drawPath(piece);
        break;
    }
    case Glyph::wave:
        painter.setPen(line);
        painter.drawArc(QRectF(2 * s, 2 * s, 10 * s, 10 * s), 200 * 16, 140 * 16);
        painter.drawLine(QPointF(7 * s, 3 * s), QPointF(7 * s, 9 * s));
        painter.drawLine(QPointF(4.5 * s, 4 * s), QPointF(4.5 * s, 9 * s));
        painter.drawLine(QPointF(9.5 * s, 4 * s), QPointF(9.5 * s, 9 * s));
        break;
    case Glyph::people:
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(2.5 * s, 2 * s, 4 * s, 4 * s));
        painter.drawPie(QRectF(0.5 * s, 7 * s, 8 * s, 9 * s), 0, 180 * 16);
        painter.drawEllipse(QRectF(8 * s, 3 * s, 3.4 * s, 3.4 * s));
        painter.drawPie(QRectF(7 * s, 7.5 * s, 6.5 * s, 7 * s), 0, 180 * 16);
        break;
    case Glyph::arrowUpCircleFilled: {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(0.5 * s, 0.5 * s, 13 * s, 13 * s));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1.6 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(QPointF(7 * s, 10.5 * s), QPointF(7 * s, 3.8 * s));
        QPainterPath head;
        head.moveTo(4 * s, 6.6 * s);
        head.lineTo(7 * s, 3.6 * s);
        head.lineTo(10 * s, 6.6 * s);
        painter.drawPath(head);
        break;
    }
    case Glyph::stopCircleFilled: {
        // The square is cut out of the disc, so it shows whatever lies behind, as the symbol does.
        QPainterPath disc;
        disc.addEllipse(QRectF(0.5 * s, 0.5 * s, 13 * s, 13 * s));
        QPainterPath square;
        square.addRoundedRect(QRectF(4.6 * s, 4.6 * s, 4.8 * s, 4.8 * s), 0.8 * s, 0.8 * s);
        painter.fillPath(disc.subtracted(square), colour);
        break;
    }
    case Glyph::checkmark:
        painter.setPen(QPen(colour, 1.6 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF(
            {QPointF(2.5 * s, 7.5 * s), QPointF(5.8 * s, 10.8 * s), QPointF(11.5 * s, 3.5 * s)}));
        break;
    case Glyph::pencil: {
        // A slanted pencil over the line it writes.
        painter.setPen(line);
        painter.save();
        painter.translate(7.5 * s, 5.5 * s);
        painter.rotate(-45);
        painter.drawRect(QRectF(-4.5 * s, -1.5 * s, 8 * s, 3 * s));
        QPainterPath tip;
        tip.moveTo(-4.5 * s, -1.5 * s);
        tip.lineTo(-7 * s, 0);
        tip.lineTo(-4.5 * s, 1.5 * s);
        painter.drawPath(tip);
        painter.restore();
        painter.drawLine(QPointF(1.5 * s, 12.5 * s), QPointF(12.5 * s, 12.5 * s));
        break;
    }
    case Glyph::textCursor: {
        // The I-beam of a text field: a stem whose ends curl out both ways, as the pointer
        // over text is drawn, so beside an English word it cannot read as a letter.
        painter.setPen(line);
        painter.drawLine(QPointF(7 * s, 2.5 * s), QPointF(7 * s, 11.5 * s));
        QPainterPath ends;
        ends.moveTo(4 * s, 1.5 * s);
        ends.quadTo(7 * s, 1.5 * s, 7 * s, 3 * s);
        ends.quadTo(7 * s, 1.5 * s, 10 * s, 1.5 * s);
        ends.moveTo(4 * s, 12.5 * s);
        ends.quadTo(7 * s, 12.5 * s, 7 * s, 11 * s);
        ends.quadTo(7 * s, 12.5 * s, 10 * s, 12.5 * s);
        painter.drawPath(ends);
        break;
    }
    case Glyph::flameFilled: {
        QPainterPath flame;
        flame.moveTo(7 * s, 0.8 * s);
        flame.cubicTo(9 * s, 3.5 * s, 12 * s, 5.5 * s, 12 * s, 8.8 * s);
        flame.cubicTo(12 * s, 11.6 * s, 9.8 * s, 13.4 * s, 7 * s, 13.4 * s);
        flame.cubicTo(4.2 * s, 13.4 * s, 2 * s, 11.6 * s, 2 * s, 8.8 * s);
        flame.cubicTo(2 * s, 6.6 * s, 3.5 * s, 5.2 * s, 4.5 * s, 4 * s);
        flame.cubicTo(4.7 * s, 5.6 * s, 5.3 * s, 6.4 * s, 6 * s, 6.8 * s);
        flame.cubicTo(6 * s, 4.6 * s, 6.2 * s, 2.6 * s, 7 * s, 0.8 * s);
        painter.fillPath(flame, colour);
        break;
    }
    case Glyph::eye: {
        painter.setPen(line);
        QPainterPath lid;
        lid.moveTo(1 * s, 7 * s);
        lid.quadTo(7 * s, -0.5 * s, 13 * s, 7 * s);
        lid.quadTo(7 * s, 14.5 * s, 1 * s, 7 * s);
        painter.drawPath(lid);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(7 * s, 7 * s), 2.2 * s, 2.2 * s);
        break;
    }
    case Glyph::moonZzz: {
        // A crescent, with a small z above it.
        QPainterPath moon;
        moon.addEllipse(QRectF(0.8 * s, 3 * s, 10 * s, 10 * s));
        QPainterPath bite;
        bite.addEllipse(QRectF(4 * s, 1 * s, 9 * s, 9 * s));
        painter.fillPath(moon.subtracted(bite), colour);
        painter.setPen(QPen(colour, 1.1 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(8.8 * s, 1 * s), QPointF(12.6 * s, 1 * s),
                                        QPointF(8.8 * s, 5 * s), QPointF(12.6 * s, 5 * s)}));
        break;
    }
    case Glyph::graduationCapFilled: {
        QPainterPath board;
        board.moveTo(0.5 * s, 5.5 * s);
        board.lineTo(7 * s, 2.5 * s);
        board.lineTo(13.5 * s, 5.5 * s);
        board.lineTo(7 * s, 8.5 * s);
        board.closeSubpath();
        painter.fillPath(board, colour);
        QPainterPath cap;
        cap.moveTo(3.5 * s, 7.2 * s);
        cap.lineTo(3.5 * s, 10.5 * s);
        cap.quadTo(7 * s, 12.8 * s, 10.5 * s, 10.5 * s);
        cap.lineTo(10.5 * s, 7.2 * s);
        cap.lineTo(7 * s, 8.9 * s);
        cap.closeSubpath();
        painter.fillPath(cap, colour);
        painter.setPen(QPen(colour, 1 * s, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(12.6 * s, 6 * s), QPointF(12.6 * s, 10 * s));
        break;
    }
    case Glyph::powerSleep: {
        // A power sign with a z beside it.
        painter.setPen(line);
        painter.drawArc(QRectF(1 * s, 3 * s, 9.5 * s, 9.5 * s), 120 * 16, 300 * 16);
        painter.drawLine(QPointF(5.75 * s, 2 * s), QPointF(5.75 * s, 7 * s));
        painter.setPen(QPen(colour, 1.1 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(9.5 * s, 0.8 * s), QPointF(13 * s, 0.8 * s),
                                        QPointF(9.5 * s, 4.4 * s), QPointF(13 * s, 4.4 * s)}));
        break;
    }
    case Glyph::lockFilled:
        painter.setPen(QPen(colour, 1.5 * s, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(4 * s, 1.2 * s, 6 * s, 8 * s), 0, 180 * 16);
        painter.drawLine(QPointF(4 * s, 5.2 * s), QPointF(4 * s, 6.5 * s));
        painter.drawLine(QPointF(10 * s, 5.2 * s), QPointF(10 * s, 6.5 * s));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(2.5 * s, 6.2 * s, 9 * s, 7 * s), 1.3 * s, 1.3 * s);
        break;
    case Glyph::checkmarkSealFilled: {
        // A disc with a wavy rim, the tick cut out in white.
        QPainterPath seal;
        for (int i = 0; i <= 48; ++i) {
            const qreal angle = i * 2 * M_PI / 48;
            const qreal radius = (6.2 + 0.7 * std::cos(12 * angle)) * s;
            const QPointF point(7 * s + radius * std::cos(angle), 7 * s + radius * std::sin(angle));
            i == 0 ? seal.moveTo(point) : seal.lineTo(point);
        }
        painter.fillPath(seal, colour);
        painter.setPen(QPen(Qt::white, 1.5 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
        break;
    }
    case Glyph::trash:
        painter.setPen(QPen(colour, 1.2 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(QPointF(1.5 * s, 3.2 * s), QPointF(12.5 * s, 3.2 * s));
        painter.drawPolyline(QPolygonF({QPointF(5 * s, 3.2 * s), QPointF(5.5 * s, 1.2 * s),
                                        QPointF(8.5 * s, 1.2 * s), QPointF(9 * s, 3.2 * s)}));
        painter.drawPolyline(QPolygonF({QPointF(3 * s, 3.2 * s), QPointF(3.8 * s, 13 * s),
                                        QPointF(10.2 * s, 13 * s), QPointF(11 * s, 3.2 * s)}));
        painter.drawLine(QPointF(5.6 * s, 5.5 * s), QPointF(5.8 * s, 10.8 * s));
        painter.drawLine(QPointF(8.4 * s, 5.5 * s), QPointF(8.2 * s, 10.8 * s));
        break;
    case Glyph::plus:
        painter.setPen(QPen(colour, 1.6 * s, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(7 * s, 2 * s), QPointF(7 * s, 12 * s));
        painter.drawLine(QPointF(2 * s, 7 * s), QPointF(12 * s, 7 * s));
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
