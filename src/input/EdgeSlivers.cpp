#include "input/EdgeSlivers.h"

#include "input/TextRows.h"

#include <algorithm>

namespace glossivo::EdgeSlivers {

namespace {

// Of the line's height: a wider run of ink at a side is more than one cut letter.
constexpr double kWidestSliver = 0.6;

void paint(GrayImage& image, TextRows::Band band, int left, int right, int ground)
{
    auto* pixels = reinterpret_cast<uchar*>(image.pixels.data());
    for (int y = band.top; y <= band.bottom; ++y)
        std::fill(pixels + qsizetype(y) * image.width + left,
                  pixels + qsizetype(y) * image.width + right, uchar(ground));
}

} // namespace

GrayImage paintedOver(GrayImage image, Qt::Edges cuts, int beyondLeft, int beyondRight)
{
    if (image.isNull() || !(cuts & (Qt::LeftEdge | Qt::RightEdge))) return image;
    const int left = beyondLeft;
    const int right = image.width - beyondRight; // one past the last column read
    const QList<TextRows::Band> bands = TextRows::find(image);
    QList<int> grounds;
    for (const TextRows::Band& band : bands) {
        const QList<bool> ink = TextRows::inkColumns(image, band);
        const int widest = int(kWidestSliver * band.height());
        const int ground = TextRows::ground(image, band);
        grounds.append(ground);
        if (cuts.testFlag(Qt::LeftEdge) && (left == 0 || ink[left - 1])) {
            int end = left;
            while (end < right && ink[end])
                ++end;
            if (end - left <= widest) paint(image, band, left, end, ground);
        }
        if (cuts.testFlag(Qt::RightEdge) && (right == image.width || ink[right])) {
            int start = right;
            while (start > left && ink[start - 1])
                --start;
            if (right - start <= widest) paint(image, band, start, right, ground);
        }
    }
    for (qsizetype y = 0, next = 0; y < image.height; ++y) {
        while (next < bands.size() && bands[next].bottom < y)
            ++next;
        const bool inBand = next < bands.size() && bands[next].top <= y;
        const int ground = inBand ? grounds[next] : image.at(std::min(left, image.width - 1), y);
        paint(image, {int(y), int(y)}, 0, left, ground);
        paint(image, {int(y), int(y)}, right, image.width, ground);
    }
    return image;
}

} // namespace glossivo::EdgeSlivers
