#include "Desktop.h"

#include "input/views/RegionOverlay.h"
#include "input/views/RegionSelector.h"

#include <QGuiApplication>
#include <QScreen>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

class RegionSelectorDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_DESKTOP();
        xdotool({"mousemove", "640", "400"});
        selector.begin([this](QRect rect) { selected.append(rect); });
        ASSERT_TRUE(selector.overlay());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(selector.overlay()));
        QTest::qWait(200);
    }

    RegionSelector selector{[](const QRect&) { return QPixmap(); }};
    QList<QRect> selected;
};

TEST_F(RegionSelectorDesktop, CoversEveryScreen)
{
    QRect screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens |= screen->geometry();
    EXPECT_EQ(selector.overlay()->geometry(), screens);
}

TEST_F(RegionSelectorDesktop, ADragGivesItsRectangleInScreenCoordinates)
{
    xdotool({"mousemove", "300", "260", "mousedown", "1", "mousemove", "200", "200", "mousemove",
             "100", "120", "mouseup", "1"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !selected.isEmpty(); }, 3000));
    EXPECT_EQ(selected, QList<QRect>{QRect(100, 120, 200, 140)});
    EXPECT_FALSE(selector.isShowing());
}

TEST_F(RegionSelectorDesktop, EscapeCancels)
{
    xdotool({"key", "a"});
    QTest::qWait(200);
    EXPECT_TRUE(selector.isShowing());
    xdotool({"mousemove", "300", "260", "mousedown", "1", "mousemove", "350", "300"});
    xdotool({"key", "Escape"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !selector.isShowing(); }, 3000));
    xdotool({"mouseup", "1"});
    QTest::qWait(RegionSelector::kSettleMs + 200);
    EXPECT_TRUE(selected.isEmpty());
}

TEST_F(RegionSelectorDesktop, ATooSmallDragSelectsNothing)
{
    xdotool(
        {"mousemove", "300", "260", "mousedown", "1", "mousemove", "310", "300", "mouseup", "1"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !selector.isShowing(); }, 3000));
    QTest::qWait(RegionSelector::kSettleMs + 200);
    EXPECT_TRUE(selected.isEmpty());
}

TEST_F(RegionSelectorDesktop, BeginningAgainReplacesTheOverlayAndSilencesItsCaller)
{
    QList<QRect> second;
    selector.begin([&second](QRect rect) { second.append(rect); });
    ASSERT_TRUE(QTest::qWaitForWindowExposed(selector.overlay()));
    QTest::qWait(200);
    xdotool(
        {"mousemove", "100", "100", "mousedown", "1", "mousemove", "200", "200", "mouseup", "1"});
    EXPECT_TRUE(QTest::qWaitFor([&second] { return !second.isEmpty(); }, 3000));
    EXPECT_TRUE(selected.isEmpty());
}

} // namespace
