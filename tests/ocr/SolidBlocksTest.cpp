#include "input/SolidBlocks.h"

#include "ocr/PaintedPage.h"

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// One line of a white page, rows 10 to 29: a letter's stem, a block cursor standing apart, a
// highlight with a letter inside and a bar two pixels wide.
TEST(SolidBlocks, OnlyABlockStandingApartIsPaintedOver)
{
    constexpr int kWidth = 100;
    GrayImage image = page(kWidth, 40, 255);
    paint(image, 5, 7, 14, 29, 0);     // a stem, shorter than the line
    paint(image, 15, 25, 10, 29, 0);   // the cursor
    paint(image, 40, 60, 10, 29, 80);  // a highlight...
    paint(image, 48, 50, 14, 26, 255); // ...and its white letter
    paint(image, 70, 71, 10, 29, 0);   // a caret
    const GrayImage before = image;
    SolidBlocks::paintOver(image);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool cursor = x >= 15 && x <= 25 && y >= 10 && y <= 29;
            EXPECT_EQ(image.at(x, y), cursor ? 255 : before.at(x, y)) << x << ", " << y;
        }
}

} // namespace
