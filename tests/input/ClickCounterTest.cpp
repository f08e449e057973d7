#include "input/ClickCounter.h"

#include <gtest/gtest.h>

namespace glossivo {
namespace {

TEST(ClickCounterTest, CountsSeriesOfPresses)
{
    struct Press {
        int button;
        QPoint at;
        qint64 time;
        int count;
    };
    const struct {
        const char* name;
        std::vector<Press> presses;
    } cases[] = {
        {"single", {{1, {10, 10}, 1000, 1}}},
        {"double", {{1, {10, 10}, 1000, 1}, {1, {10, 10}, 1300, 2}}},
        {"triple with a small wobble",
         {{1, {10, 10}, 1000, 1}, {1, {13, 8}, 1200, 2}, {1, {14, 12}, 1500, 3}}},
        {"too slow", {{1, {10, 10}, 1000, 1}, {1, {10, 10}, 1401, 1}}},
        {"too far", {{1, {10, 10}, 1000, 1}, {1, {15, 10}, 1100, 1}}},
        {"other button", {{1, {10, 10}, 1000, 1}, {3, {10, 10}, 1100, 1}}},
        {"clock went back", {{1, {10, 10}, 1000, 1}, {1, {10, 10}, 900, 1}}},
        {"first press at time zero", {{1, {0, 0}, 0, 1}, {1, {0, 0}, 100, 2}}},
    };
    for (const auto& c : cases) {
        ClickCounter counter(400, 4);
        for (const Press& p : c.presses)
            EXPECT_EQ(counter.press(p.button, p.at, p.time), p.count) << c.name;
    }
}

} // namespace
} // namespace glossivo
