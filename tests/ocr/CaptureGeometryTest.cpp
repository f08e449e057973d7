#include "input/CaptureGeometry.h"

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::CaptureGeometry;

namespace {

const ScreenArea kLeft{QRect(0, 0, 1440, 900), 1.0};
const ScreenArea kRight{QRect(1440, -200, 1920, 1080), 2.0};
const QList<ScreenArea> kScreens{kLeft, kRight};

struct StripCase {
    const char* name;
    QPoint pointer;
    std::optional<QRect> local;
};

class StripAroundThePointer : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripAroundThePointer, IsClippedToItsScreen)
{
    const auto strip = stripAround(kScreens, GetParam().pointer);
    if (!GetParam().local) {
        EXPECT_EQ(strip, std::nullopt);
        return;
    }
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->local, *GetParam().local);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StripAroundThePointer,
    ::testing::Values(StripCase{"Centred", {700, 400}, QRect(320, 300, 760, 200)},
                      StripCase{"HundredFromTheLeftEdge", {100, 400}, QRect(0, 300, 480, 200)},
                      StripCase{"TopLeftCorner", {0, 0}, QRect(0, 0, 380, 100)},
                      StripCase{"OnTheSecondScreen", {1450, -190}, QRect(0, 0, 390, 110)},
                      StripCase{"OffEveryScreen", {1000, 1000}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CaptureGeometry, AWindowClipsTheStripAndOnlyTheStripsOwnEdgesCut)
{
    // Pointer 100 from the screen's left edge, in a window whose content starts 40 above it.
    const auto strip = stripAround(kScreens, {100, 400});
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->cuts, Qt::RightEdge | Qt::TopEdge | Qt::BottomEdge);
    const auto inside = within(*strip, QRect(0, 360, 300, 400));
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->local, QRect(0, 360, 300, 140));
    EXPECT_EQ(inside->cuts, Qt::Edges(Qt::BottomEdge));
    EXPECT_EQ(within(*strip, QRect(0, 380, 300, 10)), std::nullopt);
}

TEST(CaptureGeometry, TheStripMovesIntoTheWindowUnderThePointer)
{
    // Pointer 50 from a wide window's left side and 40 below its top: the strip lies inside it
    // from there, and only the sides within the window cut.
    const auto strip = stripAround(kScreens, {150, 400});
    ASSERT_TRUE(strip);
    const auto wide = stripWithin(*strip, {150, 400}, QRect(100, 360, 900, 400));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->local, QRect(100, 360, 760, 200));
    EXPECT_EQ(wide->cuts, Qt::RightEdge | Qt::BottomEdge);
    const auto right = stripAround(kScreens, {3300, 0});
    ASSERT_TRUE(right);
    // A window running past the second screen's side: the strip moves back inside the screen.
    const auto moved = stripWithin(*right, {3300, 0}, QRect(2400, -200, 1500, 600));
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->local, QRect(1160, 100, 760, 200));
    EXPECT_EQ(moved->cuts, Qt::LeftEdge | Qt::TopEdge | Qt::BottomEdge);
}

TEST(CaptureGeometry, AStripOnATinyScreenIsTooSmall)
{
    const QList<ScreenArea> tiny{{QRect(0, 0, 40, 20), 1.0}};
    EXPECT_EQ(stripAround(tiny, {20, 10}), std::nullopt);
    const QList<ScreenArea> small{{QRect(0, 0, 42, 42), 1.0}};
    EXPECT_TRUE(stripAround(small, {20, 10}));
}

TEST(CaptureGeometry, TheSeamOfTwoScreensBelongsToTheRightOne)
{
    ASSERT_TRUE(screenAt(kScreens, QPointF(1440, 10)));
    EXPECT_EQ(screenAt(kScreens, QPointF(1440, 10))->frame, kRight.frame);
    EXPECT_EQ(screenAt(kScreens, QPointF(1439.5, 10))->frame, kLeft.frame);
}

TEST(CaptureGeometry, RegionsAreClippedBeforeTheSizeTest)
{
    EXPECT_EQ(region(kScreens, QRect(100, 100, 8, 100)), std::nullopt);
    EXPECT_TRUE(region(kScreens, QRect(100, 100, 9, 9)));
    // Hangs over the bottom edge: only 6 rows remain on the screen.
    EXPECT_EQ(region(kScreens, QRect(100, 894, 200, 10)), std::nullopt);
    const auto over = region(kScreens, QRect(1300, 100, 200, 50));
    ASSERT_TRUE(over);
    EXPECT_EQ(over->global(), QRect(1300, 100, 140, 50));
    EXPECT_EQ(region(kScreens, QRect(5000, 100, 200, 50)), std::nullopt);
}

TEST(CaptureGeometry, ThePointerIsNormalizedAgainstTheClippedStrip)
{
    const auto strip = stripAround(kScreens, {100, 400});
    ASSERT_TRUE(strip);
    EXPECT_DOUBLE_EQ(normalized(*strip, {100, 400}).x(), 100.0 / 480);
    EXPECT_DOUBLE_EQ(normalized(*strip, {100, 400}).y(), 0.5);
    EXPECT_DOUBLE_EQ(normalized(*strip, {0, 300}).y(), 1.0); // top edge of the strip
}

TEST(CaptureGeometry, WordBoxesComeBackOnTheScreenUnderThePointer)
{
    const auto strip = stripAround(kScreens, {2000, 300});
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->global(), QRect(1620, 200, 760, 200));
    // The lower left quarter of the strip.
    const QRectF box = toGlobal(*strip, QRectF(0.0, 0.0, 0.5, 0.5));
    EXPECT_EQ(box, QRectF(1620, 300, 380, 100));
    EXPECT_TRUE(kRight.frame.contains(box.toRect()));
    // The box under the pointer contains the pointer.
    const QPointF cursor = normalized(*strip, {2000, 300});
    EXPECT_TRUE(toGlobal(*strip, QRectF(cursor.x() - 0.01, cursor.y() - 0.01, 0.02, 0.02))
                    .contains(QPointF(2000, 300)));
}

} // namespace
