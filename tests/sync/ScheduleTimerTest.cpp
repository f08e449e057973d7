#include "sync/ScheduleTimer.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace std::chrono_literals;

// The event loop's timers as the sync schedule uses them (the service's own tests fire fakes):
// the period repeats until stopped, the pass after a change fires once per start.
TEST(ScheduleTimerQt, RepeatsOnlyWhenAskedAndStopsWhenStopped)
{
    int periodic = 0;
    int soon = 0;
    const auto period = ScheduleTimer::qt(true, [&periodic] { ++periodic; });
    const auto once = ScheduleTimer::qt(false, [&soon] { ++soon; });
    period->start(20ms);
    once->start(20ms);
    EXPECT_TRUE(QTest::qWaitFor([&periodic] { return periodic >= 4; }, 5000));
    EXPECT_EQ(soon, 1);

    period->stop();
    const int stopped = periodic;
    once->start(20ms);
    EXPECT_TRUE(QTest::qWaitFor([&soon] { return soon == 2; }, 5000));
    QTest::qWait(100);
    EXPECT_EQ(periodic, stopped);
    EXPECT_EQ(soon, 2);
}
