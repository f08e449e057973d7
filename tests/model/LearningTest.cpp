#include "model/Learning.h"
#include "model/DayKey.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

// 2026-10-07 12:00 in Shanghai.
const QDateTime kNoon(QDate(2026, 10, 7), QTime(4, 0), QTimeZone::utc());

WordEntry wordMetAt(const QDateTime& time)
{
    WordEntry entry;
    entry.id = QUuid::createUuid();
    entry.headword = QStringLiteral("ferry");
    entry.createdAt = time;
    entry.lastLookupAt = time;
    entry.lookupCount = 1;
    return entry;
}

} // namespace

TEST(LearningTest, aSeenWordBecomesDormantOneSecondAfterTheConfiguredDays)
{
    AppConfig config;
    WordEntry entry = wordMetAt(kNoon.addDays(-config.dormantDays));
    EXPECT_EQ(Learning::displayStage(entry, config, kNoon), DisplayStage::seen);
    EXPECT_EQ(Learning::displayStage(entry, config, kNoon.addSecs(1)), DisplayStage::dormant);

    entry.wantToLearn = true;
    EXPECT_EQ(Learning::displayStage(entry, config, kNoon.addSecs(1)), DisplayStage::seen);

    entry.wantToLearn.reset();
    entry.stage = Stage::seen;
    EXPECT_EQ(Learning::displayStage(entry, config, kNoon.addSecs(1)), DisplayStage::dormant);

    // Never looked up: idle since its creation.
    entry.lastLookupAt.reset();
    entry.createdAt = kNoon.addDays(-2);
    EXPECT_EQ(Learning::displayStage(entry, config, kNoon), DisplayStage::seen);
}

TEST(LearningTest, aWordMetInTheFutureIsNotDormant)
{
    // The clock went back after the last lookup.
    EXPECT_EQ(Learning::displayStage(wordMetAt(kNoon.addDays(5)), AppConfig(), kNoon),
              DisplayStage::seen);
}

TEST(LearningTest, daysAreDerivedWhenNoneAreStored)
{
    WordEntry entry = wordMetAt(kNoon);
    entry.createdAt = kNoon.addSecs(-3 * 3600); // 09:00 the same local day
    EXPECT_EQ(Learning::days(entry), QStringList{QStringLiteral("2026-10-07")});

    entry.encounterDays = QStringList();
    entry.createdAt = kNoon.addDays(-3);
    EXPECT_EQ(Learning::days(entry),
              (QStringList{QStringLiteral("2026-10-04"), QStringLiteral("2026-10-07")}));

    entry.encounterDays = QStringList{QStringLiteral("2026-09-01")};
    EXPECT_EQ(Learning::days(entry), QStringList{QStringLiteral("2026-09-01")});
}

TEST(LearningTest, dayKeysAreLocalDays)
{
    // 16:30 UTC is already the next day in Shanghai.
    EXPECT_EQ(DayKey::of(QDateTime(QDate(2026, 10, 7), QTime(16, 30), QTimeZone::utc())),
              QStringLiteral("2026-10-08"));
    EXPECT_EQ(DayKey::parse(QStringLiteral("2026-10-08")),
              QDateTime(QDate(2026, 10, 7), QTime(16, 0), QTimeZone::utc()));
    EXPECT_EQ(DayKey::parse(QStringLiteral("2026-13-01")), std::nullopt);
    EXPECT_EQ(DayKey::parse(QStringLiteral("yesterday")), std::nullopt);
}

TEST(LearningTest, priorityOfAWordMetOnlyToday)
{
    AppConfig config;
    const WordEntry entry = wordMetAt(kNoon);
    // 10 * 2^(-12/336) from today, 4 for the absent source keys.
    EXPECT_NEAR(Learning::priority(entry, config, kNoon), 13.7555, 1e-4);
    config.leechThreshold = 0;
    EXPECT_NEAR(Learning::priority(entry, config, kNoon), 18.7555, 1e-4);
}

TEST(LearningTest, priorityTerms)
{
    AppConfig config;
    WordEntry entry = wordMetAt(kNoon);
    entry.encounterDays = QStringList{QStringLiteral("2026-09-23")}; // 14.5 days before noon
    entry.sourceKeys = QStringList();
    EXPECT_NEAR(Learning::priority(entry, config, kNoon), 10 * std::exp2(-14.5 / 14), 1e-9);

    entry.encounterDays = QStringList{QStringLiteral("not a day"), QStringLiteral("2026-10-20")};
    EXPECT_NEAR(Learning::priority(entry, config, kNoon), 20, 1e-9); // both count as now

    entry.encounterDays = QStringList{QStringLiteral("1990-01-01")};
    const double base = Learning::priority(entry, config, kNoon);
    entry.sourceKeys = QStringList{"a", "b", "c", "d", "e", "f", "g"};
    entry.notes = QList<AINote>(5);
    entry.register_ = Register::technical;
    entry.wantToLearn = true;
    EXPECT_NEAR(Learning::priority(entry, config, kNoon) - base, 4 * 5 + 8 * 3 + 3 + 1000, 1e-9);

    entry.review = ReviewState{1, 5, kNoon, kNoon, 6, 4, 1};
    EXPECT_NEAR(Learning::priority(entry, config, kNoon) - base, 4 * 5 + 8 * 3 + 3 + 1000 + 5,
                1e-9);
}
