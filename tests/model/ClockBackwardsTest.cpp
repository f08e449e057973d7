#include "WordBookFixture.h"

#include <cmath>

using namespace glossivo;
using glossivo::testing::WordBookFixture;

namespace {

// The system clock can be set back (by hand, by a time-zone change gone wrong, by a peer whose
// clock runs ahead): stored times then lie in the future.
class ClockBackwardsTest : public WordBookFixture {};

} // namespace

TEST_F(ClockBackwardsTest, aReviewBeforeTheLastOneCountsAsTheSameDay)
{
    WordEntry ferry = learning(QStringLiteral("ferry"));
    ferry.review = ReviewState{4, 5, clock.now(), clock.now().addDays(2), 3, 0, 2};
    open({ferry});
    store->applyReview(ferry.id, Rating::good, QStringLiteral("review"));

    const ReviewState& state = *entry(ferry.id).review;
    EXPECT_TRUE(std::isfinite(state.stability) && state.stability > 0);
    EXPECT_TRUE(std::isfinite(state.difficulty));
    EXPECT_GT(state.due, clock.now());
    EXPECT_EQ(state.lastReview, clock.now());
    EXPECT_EQ(state.reps, 4);
    EXPECT_FALSE(folder.read(QStringLiteral("words.json")).contains("null"));
}

TEST_F(ClockBackwardsTest, aLookupBeforeTheLastOneWakesNothing)
{
    WordEntry ferry = word(QStringLiteral("ferry"));
    ferry.lastLookupAt = clock.now().addDays(60);
    open({ferry});
    Explanation explanation;
    explanation.headword = QStringLiteral("ferry");
    explanation.meaningZh = QStringLiteral("渡轮");
    const Unlock unlock = store->recordLookup(explanation, {});
    EXPECT_EQ(unlock.awakenedAfterDays, std::nullopt);
    EXPECT_EQ(entry(ferry.id).lookupCount, 2);
}

TEST_F(ClockBackwardsTest, goingBackADayStartsThatDaysCounters)
{
    const WordEntry ferry = learning(QStringLiteral("ferry"));
    open({ferry});
    store->applyReview(ferry.id, Rating::good, QStringLiteral("review"));
    ASSERT_EQ(store->stats(), (ReviewStats{QStringLiteral("2026-10-07"), 1, 0}));

    clock.set(clock.now().addDays(-1));
    store->applyReview(ferry.id, Rating::good, QStringLiteral("review"));
    EXPECT_EQ(store->stats(), (ReviewStats{QStringLiteral("2026-10-06"), 1, 0}));
    EXPECT_TRUE(folder.read(QStringLiteral("review-stats.json")).contains("2026-10-06"));
}
