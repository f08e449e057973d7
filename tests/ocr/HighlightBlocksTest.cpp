#include "input/HighlightBlocks.h"
#include "input/EdgeSlivers.h"

#include "ocr/PaintedPage.h"

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// A line of a page, rows 10 to 29, with two letters of the page's ink and a block of 40 by 20
// holding a letter.
struct BlockCase {
    const char* name;
    int page;
    int ink;
    int block;
    int letter;
    int blockAfter; // -1: the block is left as it was
    int letterAfter;
};

class Highlights : public ::testing::TestWithParam<BlockCase> {};

TEST_P(Highlights, BlocksHoldingTextTakeThePagesLook)
{
    const BlockCase& c = GetParam();
    constexpr int kWidth = 120;
    GrayImage image = page(kWidth, 40, c.page);
    paint(image, 5, 7, 12, 27, c.ink);
    paint(image, 100, 102, 12, 27, c.ink);
    paint(image, 40, 79, 10, 29, c.block);
    paint(image, 55, 58, 13, 26, c.letter);
    const GrayImage before = image;
    HighlightBlocks::blendIn(image);
    EXPECT_EQ(image.at(6, 20), before.at(6, 20));
    EXPECT_EQ(image.at(42, 20), c.blockAfter < 0 ? c.block : c.blockAfter);
    EXPECT_EQ(image.at(56, 20), c.blockAfter < 0 ? c.letter : c.letterAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, Highlights,
                         ::testing::Values(BlockCase{"TkGreyOnADarkPage", 30, 230, 195, 0, 30, 255},
                                           BlockCase{"AccentOnALightPage", 255, 20, 120, 255, 255,
                                                     0},
                                           // A terminal's selection: the page's colours swapped.
                                           BlockCase{"ReversedColours", 30, 230, 230, 30, -1, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

// Tk's caret at the selection's start, in the page's ink and a row short of the block: it goes
// with the block, and a letter's stem beside a block stays.
TEST(Highlights, ACaretBesideABlockGoesWithIt)
{
    constexpr int kWidth = 120;
    GrayImage image = page(kWidth, 40, 30);
    paint(image, 40, 79, 10, 29, 195);
    paint(image, 55, 58, 13, 26, 0);
    paint(image, 38, 39, 10, 28, 224);
    paint(image, 80, 81, 12, 27, 224);
    HighlightBlocks::blendIn(image);
    EXPECT_EQ(image.at(38, 20), 30);
    EXPECT_EQ(image.at(56, 20), 255);
    EXPECT_EQ(image.at(80, 20), 224);
}

TEST(EdgeSlivers, OnlyALettersSliverAtACutSideGoes)
{
    constexpr int kWidth = 100;
    GrayImage image = page(kWidth, 30, 255);
    paint(image, 0, 3, 5, 24, 0);   // a sliver at the left
    paint(image, 10, 20, 5, 24, 0); // a word
    paint(image, 85, 99, 5, 24, 0); // a run at the right wider than a letter
    const GrayImage painted = EdgeSlivers::paintedOver(image, Qt::LeftEdge | Qt::RightEdge);
    EXPECT_EQ(painted.at(2, 10), 255);
    EXPECT_EQ(painted.at(15, 10), 0);
    EXPECT_EQ(painted.at(95, 10), 0);
    EXPECT_EQ(EdgeSlivers::paintedOver(image, Qt::RightEdge).at(2, 10), 0);
    // Read from column 10 on: the word there has no ink beyond the side and is whole.
    EXPECT_EQ(EdgeSlivers::paintedOver(image, Qt::LeftEdge, 10).at(15, 10), 0);
    EXPECT_EQ(EdgeSlivers::paintedOver(image, Qt::LeftEdge, 12).at(15, 10), 255);
}

} // namespace
