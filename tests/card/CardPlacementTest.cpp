#include "card/CardPlacement.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}

using namespace glossivo;
using CardPlacement::Screen;

namespace {

// Two screens side by side: a laptop with a top panel on the left, a taller monitor with a
// panel at its left edge and one at its bottom on the right.
const QList<Screen> kScreens{
    {QRect(0, 0, 1920, 1080), QRect(0, 32, 1920, 1048)},
    {QRect(1920, -200, 1440, 2560), QRect(1968, -200, 1392, 2500)},
};

TEST(CardPlacementTest, TheCardSitsBelowThePointerAndFlipsOrStaysInsideAtEveryEdge)
{
    const QSize card(340, 200);
    struct Case {
        const char* name;
        QPoint pointer;
        QRect expected;
    };
    const Case cases[] = {
        {"middle", {800, 500}, {776, 518, 340, 200}},
        {"bottom edge: above the pointer", {800, 1000}, {776, 782, 340, 200}},
        {"right edge", {1900, 500}, {1572, 518, 340, 200}},
        {"left edge", {5, 500}, {8, 518, 340, 200}},
        {"top, under the panel", {800, 10}, {776, 40, 340, 200}},
        {"bottom-right corner", {1919, 1079}, {1572, 861, 340, 200}},
        {"second screen, beside its left panel", {1930, 100}, {1976, 118, 340, 200}},
        {"second screen, above its bottom panel", {3000, 2290}, {2976, 2072, 340, 200}},
        {"second screen, right edge", {3350, 0}, {3012, 18, 340, 200}},
        {"second screen, above the first one's top", {2500, -190}, {2476, -172, 340, 200}},
        {"on no screen: the primary screen's area", {-500, -500}, {8, 40, 340, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect area = CardPlacement::availableAt(c.pointer, kScreens);
        EXPECT_EQ(CardPlacement::place(c.pointer, card, area), c.expected);
    }
}

TEST(CardPlacementTest, ACardLargerThanTheAreaKeepsItsTopAndRightEdgesInside)
{
    const QRect area(0, 32, 300, 400);
    EXPECT_EQ(CardPlacement::place({100, 100}, {340, 500}, area), QRect(-48, 40, 340, 500));
}

TEST(CardPlacementTest, WithoutScreensTheAreaIsEmpty)
{
    EXPECT_TRUE(CardPlacement::availableAt({10, 10}, {}).isNull());
}

} // namespace
