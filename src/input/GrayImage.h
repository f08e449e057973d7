#pragma once

#include <QByteArray>

namespace glossivo {

// An 8-bit grey picture, rows top to bottom without padding: what the text recogniser reads.
struct GrayImage {
    int width = 0;
    int height = 0;
    QByteArray pixels; // width * height bytes

    bool isNull() const { return width <= 0 || height <= 0; }
    uchar at(int x, int y) const { return uchar(pixels[qsizetype(y) * width + x]); }
    // `count` rows from `top`, which must lie inside the picture.
    GrayImage rows(int top, int count) const
    {
        return {width, count, pixels.mid(qsizetype(top) * width, qsizetype(count) * width)};
    }
};

} // namespace glossivo
