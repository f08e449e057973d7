#include "review/TimerDelay.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace std::chrono_literals;

TEST(TimerDelay, runsTheWorkOnceAndNeverAfterTheDelayIsGone)
{
    int late = 0;
    int runs = 0;
    {
        TimerDelay gone;
        gone.after(1ms, [&late] { ++late; });
    }
    TimerDelay delay;
    delay.after(1ms, [&runs] { ++runs; });
    EXPECT_EQ(runs, 0); // never at once
    EXPECT_TRUE(QTest::qWaitFor([&runs] { return runs > 0; }, 5000));
    QTest::qWait(20);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(late, 0);
}
