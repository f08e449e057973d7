#include "input/TextRows.h"

#include <gtest/gtest.h>

using namespace glossivo;
using TextRows::Band;

namespace {

// A 40-pixel wide picture on a mid-grey page with ink (dark or light) on the given rows.
GrayImage picture(int height, const QList<std::pair<int, char>>& inkedRows)
{
    GrayImage image{40, height, QByteArray(40 * height, char(128))};
    for (const auto& [row, ink] : inkedRows)
        for (int x = 10; x < 14; ++x)
            image.pixels[row * 40 + x] = ink;
    return image;
}

TEST(TextRows, FindsLinesOfEitherInkAndKeepsTheNearestOnesAroundTheRow)
{
    // Lines at rows 2-5 (dark), 11-13 with a blank row inside (light; row 10 is too faint),
    // 30-33 and 60-63.
    const GrayImage image = picture(70, {{2, 0},
                                         {3, 0},
                                         {4, 0},
                                         {5, 0},
                                         {10, 127},
                                         {11, -1},
                                         {13, -1},
                                         {30, 0},
                                         {31, 0},
                                         {32, 0},
                                         {33, 0},
                                         {60, 0},
                                         {61, 0},
                                         {62, 0},
                                         {63, 0}});
    const QList<Band> bands = TextRows::find(image);
    EXPECT_EQ(bands, (QList<Band>{{2, 5}, {11, 13}, {30, 33}, {60, 63}}));
    // Lines whose middle lies within 4 line heights (16 rows) of the chosen one, with margins.
    EXPECT_EQ(TextRows::around(bands, 31, 3.5), (Band{27, 36}));
    EXPECT_EQ(TextRows::around(bands, 0, 3.5), (Band{0, 16}));
    EXPECT_EQ(TextRows::around({}, 3, 3.5), std::nullopt);
}

} // namespace
