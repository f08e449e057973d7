#pragma once

#include "input/GrayImage.h"

namespace glossivo::testing {

// The pictures the reading steps are tested on: a page of one grey, with rectangles of other
// greys painted on it for letters, blocks and carets.
inline GrayImage page(int width, int height, int grey)
{
    return {width, height, QByteArray(qsizetype(width) * height, char(grey))};
}

// Columns `left` to `right` and rows `top` to `bottom`, both ends included.
inline void paint(GrayImage& image, int left, int right, int top, int bottom, int grey)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            image.pixels[qsizetype(y) * image.width + x] = char(grey);
}

} // namespace glossivo::testing
