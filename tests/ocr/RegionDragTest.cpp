#include "input/RegionDrag.h"

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

struct DragCase {
    const char* name;
    QPoint from;
    QPoint to;
    std::optional<QRect> selected;
};

class DraggedRectangle : public ::testing::TestWithParam<DragCase> {};

TEST_P(DraggedRectangle, IsSelectedOnlyWhenLargeEnough)
{
    RegionDrag drag;
    drag.press(GetParam().from);
    drag.move(QPoint(500, 500)); // where the drag went meanwhile does not matter
    EXPECT_EQ(drag.release(GetParam().to), GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DraggedRectangle,
    ::testing::Values(
        DragCase{"Click", {40, 40}, {40, 40}, std::nullopt},
        DragCase{"TwelveWide", {40, 40}, {52, 140}, std::nullopt},
        DragCase{"EightHigh", {40, 40}, {140, 48}, std::nullopt},
        DragCase{"ThirteenByNine", {40, 40}, {53, 49}, QRect(40, 40, 13, 9)},
        DragCase{"BottomRightToTopLeft", {300, 200}, {100, 50}, QRect(100, 50, 200, 150)},
        DragCase{"TopRightToBottomLeft", {300, 50}, {100, 200}, QRect(100, 50, 200, 150)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegionDrag, AReleaseWithoutAPressSelectsNothing)
{
    RegionDrag drag;
    EXPECT_EQ(drag.selection(), std::nullopt);
    EXPECT_EQ(drag.release({300, 300}), std::nullopt);
}

TEST(RegionDrag, TheSelectionFollowsTheDrag)
{
    RegionDrag drag;
    drag.press({10, 10});
    EXPECT_EQ(drag.selection(), QRect(10, 10, 0, 0));
    drag.move({4, 30});
    EXPECT_EQ(drag.selection(), QRect(4, 10, 6, 20));
}

TEST(RegionDrag, TheOverlayCoversEveryScreen)
{
    // A second screen left of the primary one and a third above and to the right.
    const QList<QRect> screens{QRect(0, 0, 1440, 900), QRect(-1920, 100, 1920, 1080),
                               QRect(1440, -300, 1280, 1024)};
    const QRect frame = RegionDrag::overlayFrame(screens);
    EXPECT_EQ(frame, QRect(-1920, -300, 1920 + 1440 + 1280, 1480));
    // A drag starting 10 to the right of the third screen's left edge, in overlay
    // coordinates, is reported 10 right of that edge globally.
    const QRect dragged = RegionDrag::between({1440 + 1920 + 10, 20}, {1440 + 1920 + 110, 80});
    EXPECT_EQ(dragged.translated(frame.topLeft()).left(), 1450);
    EXPECT_EQ(RegionDrag::overlayFrame({}), QRect());
}

TEST(RegionDrag, TheHintHangsCentredNinetyBelowTheTopOfEachScreen)
{
    const QRect hint = RegionDrag::hintFrame(QRect(1440, 0, 1280, 800), QSize(300, 20));
    EXPECT_EQ(hint, QRect(1440 + 640 - 150 - 12, 90 - 32, 324, 32));
    EXPECT_EQ(hint.bottom() + 1, 90);
}

} // namespace
