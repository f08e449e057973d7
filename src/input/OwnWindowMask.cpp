#include "input/OwnWindowMask.h"

#include <algorithm>
#include <array>

namespace glossivo::OwnWindowMask {

namespace {

bool covers(const QList<QRect>& parts, int x, int y)
{
    return std::any_of(parts.begin(), parts.end(),
                       [x, y](const QRect& part) { return part.contains(x, y); });
}

// The most common shade outside the windows: the ground the text of the picture stands on.
uchar background(const GrayImage& image, const QList<QRect>& covered)
{
    std::array<qint64, 256> counts{};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (!covers(covered, x, y)) ++counts[image.at(x, y)];
        }
    }
    return uchar(std::max_element(counts.begin(), counts.end()) - counts.begin());
}

} // namespace

void paintOver(GrayImage& image, const QList<QRect>& windows)
{
    QList<QRect> covered;
    for (const QRect& window : windows) {
        const QRect part = window.intersected(QRect(0, 0, image.width, image.height));
        if (!part.isEmpty()) covered.append(part);
    }
    if (covered.isEmpty()) return;
    const uchar shade = background(image, covered);
    for (const QRect& part : covered) {
        for (int y = part.top(); y <= part.bottom(); ++y)
            std::fill_n(image.pixels.data() + qsizetype(y) * image.width + part.left(),
                        part.width(), char(shade));
    }
}

} // namespace glossivo::OwnWindowMask
