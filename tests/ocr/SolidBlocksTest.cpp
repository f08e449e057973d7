#include "input/SolidBlocks.h"

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

// One line of a white page, rows 10 to 29: a letter's stem, a block cursor standing apart, a
// highlight with a letter inside and a bar two pixels wide.
TEST(SolidBlocks, OnlyABlockStandingApartIsPaintedOver)
{
    constexpr int kWidth = 100;
    GrayImage image{kWidth, 40, QByteArray(kWidth * 40, char(255))};
    const auto fill = [&](int left, int right, int top, int bottom, char grey) {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                image.pixels[y * kWidth + x] = grey;
    };
    fill(5, 7, 14, 29, 0);           // a stem, shorter than the line
    fill(15, 25, 10, 29, 0);         // the cursor
    fill(40, 60, 10, 29, 80);        // a highlight...
    fill(48, 50, 14, 26, char(255)); // ...and its white letter
    fill(70, 71, 10, 29, 0);         // a caret
    const GrayImage before = image;
    SolidBlocks::paintOver(image);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool cursor = x >= 15 && x <= 25 && y >= 10 && y <= 29;
            EXPECT_EQ(image.at(x, y), cursor ? 255 : before.at(x, y)) << x << ", " << y;
        }
}

} // namespace
