#pragma once

#include "input/GrayImage.h"
#include "input/ScreenArea.h"

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QRect>

namespace glossivo::QtScreens {

// The screens of the running application, in Qt's order.
QList<ScreenArea> areas();

// Whether a point lies on a screen and off its panels and docks (the screen's available
// geometry); the first screen holding the point decides.
bool inContentArea(QPoint point);

// Frames of this program's top-level windows that are shown now.
QList<QRect> ownWindowFrames();

// The desktop as it is now within `frame` (global coordinates), every screen in its place.
QPixmap desktopPicture(const QRect& frame);

// The picture in grey, one byte a pixel, with its device pixel ratio as its scale.
GrayImage toGray(const QImage& image);

} // namespace glossivo::QtScreens
