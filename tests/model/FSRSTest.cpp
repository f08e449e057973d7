#include "model/FSRS.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace glossivo;

namespace {

const QDateTime kNow(QDate(2026, 3, 1), QTime(9, 0), QTimeZone::utc());

// Due times are whole seconds, so intervals are compared to within a second (1.2e-5 days).
double daysUntil(const QDateTime& due, const QDateTime& from = kNow)
{
    return double(from.msecsTo(due)) / 86400000.0;
}

ReviewState stateWith(double stability, double difficulty, const QDateTime& lastReview)
{
    return ReviewState{stability, difficulty, lastReview, lastReview, 3, 0, 2};
}

} // namespace

TEST(FSRSTest, firstReviewAtLearningRetention)
{
    const ReviewState again = FSRS::review(std::nullopt, Rating::again, kNow, 0.95);
    EXPECT_EQ(again.due, kNow.addSecs(600));
    EXPECT_DOUBLE_EQ(again.stability, 0.40255);
    EXPECT_NEAR(again.difficulty, 7.1949, 1e-12);
    EXPECT_EQ(again.lastReview, kNow);
    EXPECT_EQ(again.reps, 1);
    EXPECT_EQ(again.lapses, 1);
    EXPECT_EQ(again.level, 0);

    const ReviewState hard = FSRS::review(std::nullopt, Rating::hard, kNow, 0.95);
    EXPECT_EQ(hard.due, kNow.addDays(1)); // 0.545 days, raised to the minimum
    EXPECT_DOUBLE_EQ(hard.stability, 1.18385);
    EXPECT_NEAR(hard.difficulty, 6.488305268471453, 1e-12);
    EXPECT_EQ(hard.lapses, 0);
    EXPECT_EQ(hard.level, 1);

    const ReviewState good = FSRS::review(std::nullopt, Rating::good, kNow, 0.95);
    EXPECT_NEAR(daysUntil(good.due), 1.4614, 5e-5); // not rounded to whole days
    EXPECT_DOUBLE_EQ(good.stability, 3.173);
    EXPECT_NEAR(good.difficulty, 5.282434422319005, 1e-12);

    const ReviewState easy = FSRS::review(std::nullopt, Rating::easy, kNow, 0.95);
    EXPECT_NEAR(daysUntil(easy.due), 7.2267, 5e-5);
    EXPECT_DOUBLE_EQ(easy.stability, 15.69105);
    EXPECT_NEAR(easy.difficulty, 3.2245015893713678, 1e-12);
}

TEST(FSRSTest, reviewAtTheDueTime)
{
    const ReviewState first = FSRS::review(std::nullopt, Rating::good, kNow, 0.95);
    const QDateTime due = first.due;
    EXPECT_NEAR(FSRS::retrievability(FSRS::elapsedDays(first.lastReview, due), first.stability),
                0.95, 1e-6);

    const ReviewState good = FSRS::review(first, Rating::good, due, 0.95);
    EXPECT_NEAR(good.stability, 7.0508, 5e-5);
    EXPECT_NEAR(good.difficulty, 5.272967931287446, 1e-9);
    EXPECT_NEAR(daysUntil(good.due, due), 3.2473, 5e-5);
    EXPECT_EQ(good.reps, 2);
    EXPECT_EQ(good.level, 2);

    const ReviewState again = FSRS::review(first, Rating::again, due, 0.95);
    EXPECT_NEAR(again.stability, 0.9524, 5e-5);
    EXPECT_NEAR(again.difficulty, 6.796932579932991, 1e-9);
    EXPECT_EQ(again.due, due.addSecs(600));
    EXPECT_EQ(again.lapses, 1);
    EXPECT_EQ(again.reps, 2);
    EXPECT_EQ(again.level, 0);
}

TEST(FSRSTest, reviewsWithinADayUseTheShortTermRule)
{
    const ReviewState state = stateWith(10, 5, kNow.addSecs(-(86400 - 1)));
    const double factors[] = {0.50103, 0.83984, 1.40777, 2.35975};
    for (Rating rating : {Rating::again, Rating::hard, Rating::good, Rating::easy})
        EXPECT_NEAR(FSRS::review(state, rating, kNow, 0.95).stability,
                    10 * factors[gradeOf(rating) - 1], 5e-4);
    EXPECT_EQ(FSRS::review(state, Rating::again, kNow, 0.95).due, kNow.addSecs(600));

    std::optional<ReviewState> halved = state;
    for (int minute = 1; minute <= 20; ++minute)
        halved = FSRS::review(halved, Rating::again, kNow.addSecs(minute * 60), 0.95);
    EXPECT_DOUBLE_EQ(halved->stability, 0.1);

    // Exactly 24 hours is a normal review: a lapse cannot raise the stability, and it is no
    // longer simply halved.
    const ReviewState dayOld = stateWith(10, 5, kNow.addDays(-1));
    const double lapsed = FSRS::review(dayOld, Rating::again, kNow, 0.95).stability;
    EXPECT_LE(lapsed, 10);
    EXPECT_GT(std::abs(lapsed - 10 * 0.50103), 0.01);
}

TEST(FSRSTest, aClockThatWentBackCountsAsNoTimePassed)
{
    const ReviewState state = stateWith(10, 5, kNow.addDays(3));
    const ReviewState next = FSRS::review(state, Rating::good, kNow, 0.95);
    EXPECT_NEAR(next.stability, 10 * 1.40777, 5e-4);
    EXPECT_EQ(next.lastReview, kNow);
    EXPECT_DOUBLE_EQ(FSRS::retrievability(FSRS::elapsedDays(kNow.addDays(3), kNow), 10), 1.0);
}

TEST(FSRSTest, intervalsStopAtAYearButStabilityDoesNot)
{
    const ReviewState next =
        FSRS::review(stateWith(5000, 2, kNow.addDays(-400)), Rating::easy, kNow, 0.9);
    EXPECT_EQ(next.due, kNow.addDays(365));
    EXPECT_GT(next.stability, 5000);
}

TEST(FSRSTest, difficultyAndLevelStayInRange)
{
    std::optional<ReviewState> state;
    QDateTime now = kNow;
    for (int i = 0; i < 40; ++i, now = now.addDays(2)) {
        state = FSRS::review(state, Rating::easy, now, 0.95);
        EXPECT_GE(state->difficulty, 1);
    }
    EXPECT_NEAR(state->difficulty, 1, 1e-9);
    EXPECT_EQ(state->level, 6);
    state = FSRS::review(state, Rating::good, now, 0.95);
    EXPECT_EQ(state->level, 6);

    for (int i = 0; i < 60; ++i, now = now.addDays(2)) {
        state = FSRS::review(state, Rating::again, now, 0.95);
        EXPECT_LE(state->difficulty, 10);
    }
    EXPECT_GT(state->difficulty, 9.8);
    EXPECT_EQ(state->level, 0);
    EXPECT_EQ(state->lapses, 60);
}

TEST(FSRSTest, unusableStoredNumbersGiveAUsableState)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double stability : {0.0, -3.0, nan, inf}) {
        for (double difficulty : {5.0, nan, 40.0}) {
            const ReviewState next = FSRS::review(
                stateWith(stability, difficulty, kNow.addDays(-5)), Rating::good, kNow, 0.95);
            EXPECT_TRUE(std::isfinite(next.stability) && next.stability >= 0.1) << stability;
            EXPECT_TRUE(next.difficulty >= 1 && next.difficulty <= 10) << difficulty;
            EXPECT_GE(daysUntil(next.due), 1);
            EXPECT_LE(daysUntil(next.due), 365);
        }
    }
}

TEST(FSRSTest, retentionOutsideTheOpenUnitRangeFallsBackToNinetyPercent)
{
    // At 90 % the interval is the stability itself.
    for (double retention : {0.9, 0.0, 1.0, -0.5, 1.5, std::numeric_limits<double>::quiet_NaN()}) {
        const ReviewState next = FSRS::review(std::nullopt, Rating::good, kNow, retention);
        EXPECT_NEAR(daysUntil(next.due), 3.173, 1e-5) << retention;
    }
}

TEST(FSRSTest, countersDoNotOverflow)
{
    ReviewState state = stateWith(4, 5, kNow.addDays(-4));
    state.reps = std::numeric_limits<int>::max();
    state.lapses = std::numeric_limits<int>::max();
    state.level = std::numeric_limits<int>::max();
    const ReviewState next = FSRS::review(state, Rating::again, kNow, 0.95);
    EXPECT_EQ(next.reps, std::numeric_limits<int>::max());
    EXPECT_EQ(next.lapses, std::numeric_limits<int>::max());
    EXPECT_EQ(next.level, 5);
}
