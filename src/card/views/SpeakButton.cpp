#include "card/views/SpeakButton.h"

#include <QPainter>
#include <QPainterPath>

namespace glossivo {

SpeakButton::SpeakButton(const QString& text, std::function<void(const QString&)> speak,
                         QWidget* parent)
    : QToolButton(parent)
{
    setObjectName(QStringLiteral("speakButton"));
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(QStringLiteral("朗读"));
    setIcon(icon(palette().color(QPalette::WindowText), 14));
    setIconSize(QSize(14, 14));
    connect(this, &QToolButton::clicked, this, [text, speak = std::move(speak)] {
        if (speak) speak(text);
    });
}

QIcon SpeakButton::icon(const QColor& colour, int size)
{
    QPixmap pixmap(size * 2, size * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 14.0;
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
    painter.end();
    return QIcon(pixmap);
}

} // namespace glossivo
