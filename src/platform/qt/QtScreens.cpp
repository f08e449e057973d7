#include "platform/qt/QtScreens.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace glossivo::QtScreens {

QList<ScreenArea> areas()
{
    QList<ScreenArea> found;
    for (const QScreen* screen : QGuiApplication::screens())
        found.append({screen->geometry(), screen->devicePixelRatio()});
    return found;
}

bool inContentArea(QPoint point)
{
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->geometry().contains(point)) return screen->availableGeometry().contains(point);
    return false;
}

QList<QRect> ownWindowFrames()
{
    QList<QRect> frames;
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->isVisible()) frames.append(window->frameGeometry());
    }
    return frames;
}

QPixmap desktopPicture(const QRect& frame)
{
    // As sharp as the sharpest screen: a picture of logical pixels would blur the overlay's
    // text on a scaled screen.
    qreal scale = 1.0;
    for (const QScreen* screen : QGuiApplication::screens())
        scale = std::max(scale, screen->devicePixelRatio());
    QPixmap picture(frame.size() * scale);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    for (QScreen* screen : QGuiApplication::screens()) {
        const QPixmap shot = screen->grabWindow(0);
        painter.drawPixmap(
            QRect(screen->geometry().topLeft() - frame.topLeft(), screen->geometry().size()), shot);
    }
    return picture;
}

GrayImage toGray(const QImage& image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    GrayImage result{gray.width(), gray.height(), QByteArray(), gray.devicePixelRatio()};
    result.pixels.reserve(qsizetype(gray.width()) * gray.height());
    for (int y = 0; y < gray.height(); ++y)
        result.pixels.append(reinterpret_cast<const char*>(gray.constScanLine(y)), gray.width());
    return result;
}

} // namespace glossivo::QtScreens
