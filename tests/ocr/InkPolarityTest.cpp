#include "input/InkPolarity.h"

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

// Two lines of a dark page, rows 0 to 29 and 30 to 59: the first with light letters, the second
// with a light highlight holding a dark letter beside a light letter; then a line of a white
// page with a dark letter.
TEST(InkPolarity, EveryLineOfLightInkIsTurnedWithTheRowsAroundIt)
{
    constexpr int kWidth = 100;
    GrayImage image{kWidth, 90, QByteArray(kWidth * 90, char(30))};
    const auto fill = [&](int left, int right, int top, int bottom, int grey) {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                image.pixels[y * kWidth + x] = char(grey);
    };
    fill(10, 12, 8, 22, 230); // light letters
    fill(20, 22, 8, 22, 230);
    fill(10, 12, 38, 52, 230); // a light letter...
    fill(40, 70, 36, 54, 195); // ...the highlight...
    fill(50, 52, 38, 52, 0);   // ...and its dark letter
    fill(0, kWidth - 1, 60, 89, 255);
    fill(10, 12, 68, 82, 20); // a dark letter on white
    const GrayImage before = image;
    InkPolarity::darkOnLight(image);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(image.at(x, y), y < 60 ? 255 - before.at(x, y) : before.at(x, y))
                << x << ", " << y;
}

} // namespace
