#pragma once

#include "input/GrayImage.h"

#include <QList>
#include <QRect>

namespace glossivo {

// Hides this program's own windows in a screen picture: the window system composes them into
// the screen, and without a compositor what lies under them cannot be read, so they are
// painted over with the picture's background, leaving nothing for the recogniser to read.
namespace OwnWindowMask {

// `windows` in the picture's pixels; parts outside the picture are ignored.
void paintOver(GrayImage& image, const QList<QRect>& windows);

} // namespace OwnWindowMask
} // namespace glossivo
