#include "input/DevicePixels.h"

#include <cmath>

namespace glossivo::DevicePixels {

namespace {

// A screen with a broken scale counts one device pixel for one logical pixel.
qreal scaleOf(const ScreenArea& screen)
{
    return screen.scale > 0 ? screen.scale : 1.0;
}

int deviceOffset(int logical, qreal scale)
{
    return int(std::floor(logical * scale));
}

} // namespace

QRect frame(const ScreenArea& screen)
{
    const qreal scale = scaleOf(screen);
    return QRect(screen.frame.topLeft(),
                 QSize(int(screen.frame.width() * scale), int(screen.frame.height() * scale)));
}

QPoint toLogical(const ScreenArea& screen, QPoint device)
{
    const QPoint origin = screen.frame.topLeft();
    const qreal scale = scaleOf(screen);
    const QPoint offset = device - origin;
    return origin + QPoint(qRound(offset.x() / scale), qRound(offset.y() / scale));
}

QPoint toLogical(const QList<ScreenArea>& screens, QPoint device)
{
    for (const ScreenArea& screen : screens)
        if (frame(screen).contains(device)) return toLogical(screen, device);
    return screens.isEmpty() ? device : toLogical(screens.first(), device);
}

QRect toLogical(const ScreenArea& screen, const QRect& device)
{
    const QPoint topLeft = toLogical(screen, device.topLeft());
    const QPoint end =
        toLogical(screen, device.topLeft() + QPoint(device.width(), device.height()));
    return QRect(topLeft, end - QPoint(1, 1));
}

QPoint toDevice(const ScreenArea& screen, QPoint logical)
{
    const QPoint origin = screen.frame.topLeft();
    const qreal scale = scaleOf(screen);
    const QPoint offset = logical - origin;
    return origin + QPoint(deviceOffset(offset.x(), scale), deviceOffset(offset.y(), scale));
}

QRect toDevice(const ScreenArea& screen, const QRect& logical)
{
    const qreal scale = scaleOf(screen);
    return QRect(toDevice(screen, logical.topLeft()),
                 QSize(int(logical.width() * scale), int(logical.height() * scale)));
}

} // namespace glossivo::DevicePixels
