#pragma once

#include "input/ScreenArea.h"

#include <QList>
#include <QPoint>
#include <QRect>

namespace glossivo {

// Between the X server's pixels and Qt's. The pointer, the root window's picture and the
// windows' geometry come from X in device pixels; Qt, and with it every global coordinate of
// this program, counts logical pixels, `scale` device pixels each. Qt leaves each screen's
// top-left corner where the device pixels put it and divides only the distances from there,
// so the conversion belongs to a screen.
namespace DevicePixels {

// The screen's frame in device pixels.
QRect frame(const ScreenArea& screen);

// A device point on `screen` in logical pixels (to the nearest, as Qt rounds its own).
QPoint toLogical(const ScreenArea& screen, QPoint device);
// A device point in logical pixels, on the screen whose device frame holds it; without one,
// on the first screen; unchanged without screens.
QPoint toLogical(const QList<ScreenArea>& screens, QPoint device);
// A device rectangle on `screen` in logical pixels, every edge to the nearest.
QRect toLogical(const ScreenArea& screen, const QRect& device);

// The device pixel where a logical point on `screen` lies.
QPoint toDevice(const ScreenArea& screen, QPoint logical);
// The device pixels of a logical rectangle on `screen`: from the pixel of its corner, its size
// times the scale, truncated.
QRect toDevice(const ScreenArea& screen, const QRect& logical);

} // namespace DevicePixels
} // namespace glossivo
