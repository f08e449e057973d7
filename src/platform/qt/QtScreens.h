#pragma once

#include "input/GrayImage.h"
#include "input/ScreenArea.h"

#include <QImage>
#include <QList>
#include <QRect>

namespace glossivo::QtScreens {

// The screens of the running application, in Qt's order.
QList<ScreenArea> areas();

// Frames of this program's top-level windows that are shown now.
QList<QRect> ownWindowFrames();

// The picture in grey, one byte a pixel.
GrayImage toGray(const QImage& image);

} // namespace glossivo::QtScreens
