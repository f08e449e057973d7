#include "SyncSamples.h"

#include "sync/SyncMerge.h"

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

template <class T, class Field> QList<Field> each(const QList<T>& list, Field T::*field)
{
    QList<Field> values;
    for (const T& element : list)
        values.append(element.*field);
    return values;
}

} // namespace

// One word book edited on a computer and on a phone: the reference case of every merge rule.
TEST(MergeFixture, ComputerAndPhoneBundles)
{
    const SyncBundle computer = readFixture("computer.json");
    const SyncBundle phone = readFixture("phone.json");
    const SyncBundle merged = SyncMerge::merge(computer, phone);

    ASSERT_EQ(each(merged.words, &WordEntry::headword), QStringList({"cat", "Apple", "run"}));
    const WordEntry &apple = merged.words[1], &run = merged.words[2];
    EXPECT_EQ(each(run.examples, &Example::sentence),
              QStringList({"I run every day.", "She runs a shop."}));
    ASSERT_TRUE(run.review);
    EXPECT_EQ(std::tie(run.review->reps, run.review->stability), std::tuple(3, 8.0));
    EXPECT_EQ(std::tie(run.stage, run.spellLevel, run.lookupCount),
              std::tuple(Stage::learning, 2, 4));
    EXPECT_EQ(run.encounterDays, QStringList({"2026-10-01", "2026-10-05", "2026-10-06"}));
    EXPECT_EQ(run.sourceKeys, QStringList({"news.example.com", "docs.example.org"}));
    EXPECT_EQ(std::tie(apple.id, apple.wantToLearn), std::tuple(sampleId("B2"), true));
    EXPECT_EQ(apple.examples.size(), 2);

    EXPECT_EQ(each(merged.grammar, &GrammarEncounter::id), QList<QUuid>{sampleId("F1")});
    EXPECT_EQ(merged.deleted.size(), 2);
    EXPECT_EQ(merged.log.size(), 3);
    EXPECT_EQ(merged.stats, ReviewStats({"2026-10-07", 5, 4}));
    EXPECT_EQ(merged.settings, phone.settings);
    EXPECT_EQ(SyncMerge::merge(computer, SyncBundle()).settings, computer.settings);

    const QString hash = merged.hash();
    EXPECT_EQ(SyncMerge::merge(phone, computer).hash(), hash);
    EXPECT_EQ(SyncMerge::merge(merged, computer).hash(), hash);
    EXPECT_EQ(SyncMerge::merge(merged, merged).hash(), hash);
    EXPECT_EQ(merged.normalized().hash(), hash);
}
