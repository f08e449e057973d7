#pragma once

#include <QByteArray>

namespace glossivo {

// An 8-bit grey picture, rows top to bottom without padding: what the text recogniser reads.
struct GrayImage {
    int width = 0;
    int height = 0;
    QByteArray pixels; // width * height bytes
    // Pixels to one logical pixel of the screen it shows: text is this many times as tall as
    // at 96 dpi, and so are the gaps and margins the analysis measures in pixels.
    qreal scale = 1.0;

    bool isNull() const { return width <= 0 || height <= 0; }
    uchar at(int x, int y) const { return uchar(pixels[qsizetype(y) * width + x]); }
    // `count` rows from `top`, which must lie inside the picture.
    GrayImage rows(int top, int count) const
    {
        return {width, count, pixels.mid(qsizetype(top) * width, qsizetype(count) * width), scale};
    }
    // `count` columns from `left`, which must lie inside the picture.
    GrayImage columns(int left, int count) const
    {
        GrayImage part{count, height, QByteArray(qsizetype(count) * height, Qt::Uninitialized),
                       scale};
        for (int y = 0; y < height; ++y)
            part.pixels.replace(qsizetype(y) * count, count,
                                pixels.constData() + qsizetype(y) * width + left, count);
        return part;
    }
};

} // namespace glossivo
