#include "app/AlphaBlur.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace glossivo::AlphaBlur {

namespace {

constexpr int kPasses = 3;

// Widths of three successive box blurs whose combination has the given standard deviation.
std::array<int, kPasses> boxWidths(double sigma)
{
    const double ideal = std::sqrt(12.0 * sigma * sigma / kPasses + 1.0);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0) --lower;
    const int upper = lower + 2;
    const double lowerCount =
        (12.0 * sigma * sigma - kPasses * lower * lower - 4.0 * kPasses * lower - 3.0 * kPasses) /
        (-4.0 * lower - 4.0);
    const int m = static_cast<int>(std::lround(lowerCount));
    std::array<int, kPasses> widths{};
    for (int i = 0; i < kPasses; ++i)
        widths[i] = i < m ? lower : upper;
    return widths;
}

// One box blur along a line of `count` values that lie `stride` apart, through a scratch line.
void boxLine(float* values, int count, int stride, int radius, std::vector<float>& scratch)
{
    scratch.assign(static_cast<std::size_t>(count), 0.0f);
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    float sum = 0.0f;
    for (int i = 0; i < std::min(radius, count); ++i)
        sum += values[i * stride];
    for (int i = 0; i < count; ++i) {
        if (i + radius < count) sum += values[(i + radius) * stride];
        scratch[static_cast<std::size_t>(i)] = sum * scale;
        if (i - radius >= 0) sum -= values[(i - radius) * stride];
    }
    for (int i = 0; i < count; ++i)
        values[i * stride] = scratch[static_cast<std::size_t>(i)];
}

void boxBlur(std::vector<float>& alpha, int width, int height, int radius)
{
    std::vector<float> scratch;
    for (int y = 0; y < height; ++y)
        boxLine(alpha.data() + static_cast<std::ptrdiff_t>(y) * width, width, 1, radius, scratch);
    for (int x = 0; x < width; ++x)
        boxLine(alpha.data() + x, height, width, radius, scratch);
}

} // namespace

QImage gaussian(const QImage& mask, double sigma)
{
    const QImage source = mask.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = source.width();
    const int height = source.height();
    std::vector<float> alpha(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            alpha[static_cast<std::size_t>(y) * width + x] =
                static_cast<float>(qAlpha(source.pixel(x, y)));

    if (sigma > 0.0)
        for (const int boxWidth : boxWidths(sigma))
            if (boxWidth > 1) boxBlur(alpha, width, height, (boxWidth - 1) / 2);

    QImage result(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float value = alpha[static_cast<std::size_t>(y) * width + x];
            line[x] = qRgba(0, 0, 0, std::clamp(static_cast<int>(std::lround(value)), 0, 255));
        }
    }
    return result;
}

} // namespace glossivo::AlphaBlur
