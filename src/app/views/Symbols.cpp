#include "app/views/Symbols.h"

#include <QPainter>
#include <QPainterPath>

namespace glossivo {

namespace {

const QColor kGreen(0x34, 0xc7, 0x59);
const QColor kRed(0xff, 0x3b, 0x30);
const QColor kOrange(0xff, 0x95, 0x00);

} // namespace

QPixmap symbolPixmap(Symbol symbol, int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPen mark(Qt::white, s * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (symbol) {
    case Symbol::checkmark:
    case Symbol::cross: {
        painter.setPen(Qt::NoPen);
        painter.setBrush(symbol == Symbol::checkmark ? kGreen : kRed);
        painter.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));
        painter.setPen(mark);
        if (symbol == Symbol::checkmark) {
            painter.drawPolyline(
                QPolygonF{{s * 0.28, s * 0.52}, {s * 0.44, s * 0.68}, {s * 0.72, s * 0.34}});
        } else {
            painter.drawLine(QPointF(s * 0.33, s * 0.33), QPointF(s * 0.67, s * 0.67));
            painter.drawLine(QPointF(s * 0.67, s * 0.33), QPointF(s * 0.33, s * 0.67));
        }
        break;
    }
    case Symbol::warning: {
        QPainterPath triangle;
        triangle.moveTo(s * 0.5, s * 0.08);
        triangle.lineTo(s * 0.96, s * 0.9);
        triangle.lineTo(s * 0.04, s * 0.9);
        triangle.closeSubpath();
        painter.setPen(QPen(kOrange, s * 0.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(triangle);
        painter.setPen(QPen(kOrange, s * 0.11, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(s * 0.5, s * 0.38), QPointF(s * 0.5, s * 0.6));
        painter.drawPoint(QPointF(s * 0.5, s * 0.75));
        break;
    }
    }
    return pixmap;
}

} // namespace glossivo
