#include "input/InkPolarity.h"

#include "input/TextRows.h"

#include <cstdlib>

namespace glossivo::InkPolarity {

namespace {

uchar* rowAt(GrayImage& image, int y)
{
    return reinterpret_cast<uchar*>(image.pixels.data()) + qsizetype(y) * image.width;
}

bool lightInk(const GrayImage& image, TextRows::Band band)
{
    const int ground = TextRows::ground(image, band);
    qsizetype lighter = 0, darker = 0;
    for (int y = band.top; y <= band.bottom; ++y)
        for (int x = 0; x < image.width; ++x) {
            const int level = image.at(x, y);
            if (std::abs(level - ground) <= TextRows::kInkContrast) continue;
            ++(level > ground ? lighter : darker);
        }
    return lighter > darker;
}

void invertRows(GrayImage& image, int top, int bottom)
{
    for (int y = top; y <= bottom; ++y) {
        uchar* row = rowAt(image, y);
        for (int x = 0; x < image.width; ++x)
            row[x] = uchar(255 - row[x]);
    }
}

} // namespace

void darkOnLight(GrayImage& image)
{
    if (image.isNull()) return;
    const QList<TextRows::Band> bands = TextRows::find(image);
    qsizetype next = 0;
    for (int y = 0; y < image.height;) {
        while (next < bands.size() && bands[next].bottom < y)
            ++next;
        if (next < bands.size() && bands[next].top <= y) {
            if (lightInk(image, bands[next])) invertRows(image, y, bands[next].bottom);
            y = bands[next].bottom + 1;
            continue;
        }
        // A blank row is the page alone: turned when dark, as the lines on it are.
        if (TextRows::ground(image, {y, y}) < 128) invertRows(image, y, y);
        ++y;
    }
}

} // namespace glossivo::InkPolarity
