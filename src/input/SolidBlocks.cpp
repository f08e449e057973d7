#include "input/SolidBlocks.h"

#include "input/TextRows.h"

#include <algorithm>
#include <cstdlib>

namespace glossivo::SolidBlocks {

namespace {

constexpr double kMinWidth = 0.3; // of the line's height: narrower solid runs are strokes
constexpr double kMinPixels = 3;  // at 96 dpi: a thinner run is a bar of a letter
constexpr int kEvenness = 16;     // grey levels a solid column may vary by

uchar* pixel(GrayImage& image, int x, int y)
{
    return reinterpret_cast<uchar*>(image.pixels.data()) + qsizetype(y) * image.width + x;
}

// The whole height of the column is ink of one grey.
bool solid(const GrayImage& image, int x, TextRows::Band band, int ground)
{
    const int first = image.at(x, band.top);
    if (std::abs(first - ground) <= TextRows::kInkContrast) return false;
    for (int y = band.top + 1; y <= band.bottom; ++y)
        if (std::abs(image.at(x, y) - first) > kEvenness) return false;
    return true;
}

// The column is the page from top to bottom: the block stands apart, where a solid run inside a
// highlight meets the highlight's colour around a letter.
bool blank(const GrayImage& image, int x, TextRows::Band band, int ground)
{
    if (x < 0 || x >= image.width) return true;
    for (int y = band.top; y <= band.bottom; ++y)
        if (std::abs(image.at(x, y) - ground) > TextRows::kInkContrast) return false;
    return true;
}

} // namespace

void paintOver(GrayImage& image)
{
    if (image.isNull()) return;
    for (const TextRows::Band& band : TextRows::find(image)) {
        const int ground = TextRows::ground(image, band);
        const int minWidth =
            std::max(int(kMinPixels * image.scale), int(kMinWidth * band.height()));
        for (int x = 0; x < image.width;) {
            int end = x;
            while (end < image.width && solid(image, end, band, ground))
                ++end;
            if (end - x >= minWidth && blank(image, x - 1, band, ground) &&
                blank(image, end, band, ground)) {
                for (int y = band.top; y <= band.bottom; ++y)
                    std::fill(pixel(image, x, y), pixel(image, end, y), uchar(ground));
            }
            x = std::max(end, x + 1);
        }
    }
}

} // namespace glossivo::SolidBlocks
