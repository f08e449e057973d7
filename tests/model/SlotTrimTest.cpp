#include "model/SlotTrim.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <limits>

using namespace glossivo;

namespace {

const QDateTime kNow(QDate(2026, 10, 7), QTime(8, 0), QTimeZone::utc());

WordEntry learningWord(const char* id, int reps = 0, double stability = 0,
                       std::optional<QDateTime> stateAt = std::nullopt)
{
    WordEntry entry;
    entry.id = QUuid::fromString(QLatin1String(id));
    entry.stage = Stage::learning;
    entry.stateAt = stateAt;
    if (reps > 0) entry.review = ReviewState{stability, 5, kNow, kNow, reps, 0, 1};
    return entry;
}

QUuid id(const char* text)
{
    return QUuid::fromString(QLatin1String(text));
}

const char* const kA = "0A000000-0000-0000-0000-000000000000";
const char* const kB = "0B000000-0000-0000-0000-000000000000";
const char* const kC = "0C000000-0000-0000-0000-000000000000";
const char* const kD = "0D000000-0000-0000-0000-000000000000";

} // namespace

TEST(SlotTrimTest, nothingLeavesWithoutAnExcess)
{
    const QList<WordEntry> words{learningWord(kA), learningWord(kB)};
    EXPECT_TRUE(SlotTrim::pick(words, 0).isEmpty());
    EXPECT_TRUE(SlotTrim::pick(words, -2).isEmpty());
}

TEST(SlotTrimTest, leastProgressLeavesFirst)
{
    WordEntry mastered = learningWord("0E000000-0000-0000-0000-000000000000");
    mastered.stage = Stage::mastered;
    const QList<WordEntry> words{learningWord(kA, 3, 2.0), learningWord(kB, 1, 9.0), mastered,
                                 learningWord(kC), learningWord(kD, 1, 4.0)};
    EXPECT_EQ(SlotTrim::pick(words, 9), (QList<QUuid>{id(kC), id(kD), id(kB), id(kA)}));
    EXPECT_EQ(SlotTrim::pick(words, 2), (QList<QUuid>{id(kC), id(kD)}));
}

TEST(SlotTrimTest, recentlyMovedWordsLeaveFirstAndUndatedOnesLast)
{
    const QList<WordEntry> words{learningWord(kA, 1, 1.0),
                                 learningWord(kB, 1, 1.0, kNow.addDays(-2)),
                                 learningWord(kC, 1, 1.0, kNow)};
    EXPECT_EQ(SlotTrim::pick(words, 3), (QList<QUuid>{id(kC), id(kB), id(kA)}));
}

TEST(SlotTrimTest, identicalProgressFallsBackOnTheIdText)
{
    const QList<WordEntry> words{learningWord(kD, 2, 1.0, kNow), learningWord(kB, 2, 1.0, kNow),
                                 learningWord(kC, 2, 1.0, kNow)};
    EXPECT_EQ(SlotTrim::pick(words, 2), (QList<QUuid>{id(kB), id(kC)}));
}

TEST(SlotTrimTest, anUnusableStabilitySortsAsZero)
{
    const QList<WordEntry> words{learningWord(kA, 1, 0.5),
                                 learningWord(kB, 1, std::numeric_limits<double>::quiet_NaN()),
                                 learningWord(kC, 1, 0.2)};
    EXPECT_EQ(SlotTrim::pick(words, 3), (QList<QUuid>{id(kB), id(kC), id(kA)}));
}
