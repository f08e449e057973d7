#include "input/InkPolarity.h"

#include "ocr/PaintedPage.h"

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// Two lines of a dark page, rows 0 to 29 and 30 to 59: the first with light letters, the second
// with a light highlight holding a dark letter beside a light letter; then a line of a white
// page with a dark letter.
TEST(InkPolarity, EveryLineOfLightInkIsTurnedWithTheRowsAroundIt)
{
    constexpr int kWidth = 100;
    GrayImage image = page(kWidth, 90, 30);
    paint(image, 10, 12, 8, 22, 230); // light letters
    paint(image, 20, 22, 8, 22, 230);
    paint(image, 10, 12, 38, 52, 230); // a light letter...
    paint(image, 40, 70, 36, 54, 195); // ...the highlight...
    paint(image, 50, 52, 38, 52, 0);   // ...and its dark letter
    paint(image, 0, kWidth - 1, 60, 89, 255);
    paint(image, 10, 12, 68, 82, 20); // a dark letter on white
    const GrayImage before = image;
    InkPolarity::darkOnLight(image);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(image.at(x, y), y < 60 ? 255 - before.at(x, y) : before.at(x, y))
                << x << ", " << y;
}

} // namespace
