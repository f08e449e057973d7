#include "input/TextRows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace glossivo::TextRows {

namespace {

constexpr int kInkPixels = 2; // fewer is noise
constexpr double kMargin = 3; // rows kept around the ink, for the recogniser's own margins
// Blank rows at 96 dpi that a line may hold: the dot of an i lies a row or two above its stem.
constexpr double kBlankInside = 1.5;

const uchar* rowAt(const GrayImage& image, int y)
{
    return reinterpret_cast<const uchar*>(image.pixels.constData()) + qsizetype(y) * image.width;
}

int mostCommon(const std::array<int, 256>& counts)
{
    return int(std::max_element(counts.begin(), counts.end()) - counts.begin());
}

bool inked(const GrayImage& image, int y)
{
    std::array<int, 256> counts{};
    const uchar* row = rowAt(image, y);
    for (int x = 0; x < image.width; ++x)
        ++counts[row[x]];
    const int ground = mostCommon(counts);
    int ink = 0;
    for (int level = 0; level < 256; ++level)
        if (std::abs(level - ground) > kInkContrast) ink += counts[level];
    return ink >= kInkPixels;
}

double middle(const Band& band)
{
    return (band.top + band.bottom) / 2.0;
}

} // namespace

QList<Band> find(const GrayImage& image)
{
    QList<Band> bands;
    if (image.isNull()) return bands;
    const int blankInside = std::max(1, int(kBlankInside * image.scale));
    for (int y = 0; y < image.height; ++y) {
        if (!inked(image, y)) continue;
        if (!bands.isEmpty() && bands.back().bottom >= y - 1 - blankInside)
            bands.back().bottom = y;
        else
            bands.append({y, y});
    }
    return bands;
}

int ground(const GrayImage& image, Band band)
{
    std::array<int, 256> counts{};
    for (int y = std::max(band.top, 0); y <= std::min(band.bottom, image.height - 1); ++y) {
        const uchar* row = rowAt(image, y);
        for (int x = 0; x < image.width; ++x)
            ++counts[row[x]];
    }
    return mostCommon(counts);
}

QList<bool> inkColumns(const GrayImage& image, Band band)
{
    QList<bool> ink;
    if (image.isNull()) return ink;
    band.top = std::clamp(band.top, 0, image.height - 1);
    band.bottom = std::clamp(band.bottom, band.top, image.height - 1);
    const int ground = TextRows::ground(image, band);
    ink.fill(false, image.width);
    for (int y = band.top; y <= band.bottom; ++y) {
        const uchar* row = rowAt(image, y);
        for (int x = 0; x < image.width; ++x)
            if (std::abs(row[x] - ground) > kInkContrast) ink[x] = true;
    }
    return ink;
}

std::optional<Band> around(const QList<Band>& bands, int row, double reach, double scale)
{
    if (bands.isEmpty()) return std::nullopt;
    const Band* chosen = &bands.front();
    for (const Band& band : bands) {
        const auto gap = [row](const Band& b) {
            return row < b.top ? b.top - row : row > b.bottom ? row - b.bottom : 0;
        };
        if (gap(band) < gap(*chosen)) chosen = &band;
    }
    // Half a line more than the analysis takes: the recogniser's boxes are not the ink's.
    const double limit = (reach + 0.5) * chosen->height();
    Band kept = *chosen;
    int above = -1, below = std::numeric_limits<int>::max();
    for (const Band& band : bands) {
        if (std::abs(middle(band) - middle(*chosen)) <= limit) {
            kept.top = std::min(kept.top, band.top);
            kept.bottom = std::max(kept.bottom, band.bottom);
        }
    }
    // The margin never reaches into a line left out, whose sliver would read as a fragment.
    for (const Band& band : bands) {
        if (band.bottom < kept.top) above = std::max(above, band.bottom);
        if (band.top > kept.bottom) below = std::min(below, band.top);
    }
    const int margin = int(std::lround(kMargin * scale));
    return Band{std::max({kept.top - margin, above + 1, 0}),
                std::min(kept.bottom + margin, below - 1)};
}

} // namespace glossivo::TextRows
