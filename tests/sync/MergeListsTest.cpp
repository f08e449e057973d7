#include "SyncSamples.h"

#include "sync/MergeLists.h"

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;
using namespace glossivo::SyncMerge;

namespace {

QUuid idOf(int n)
{
    return QUuid(uint(n), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
}

// `count` examples with ids from `firstId`; every third shares its sentence with the one before.
QList<Example> examples(int firstId, int count, const QString& tag)
{
    QList<Example> list;
    for (int i = 0; i < count; ++i)
        list.append({.id = idOf(firstId + i),
                     .sentence = QStringLiteral("s%1").arg((firstId + i) / 3 * 3 + (i % 3 == 2)),
                     .sourceURL = tag,
                     .addedAt = oct(1 + (firstId + i) % 5)});
    return list;
}

} // namespace

// Short lists are searched and long ones indexed: both must give the same records in the same
// order.
TEST(MergeLists, ShortAndLongListsMergeAlike)
{
    for (const int count : {3, 8, 30}) {
        SCOPED_TRACE(count);
        const QList<Example> a = examples(0, count, QStringLiteral("a"));
        const QList<Example> b = examples(count / 2, count, QStringLiteral("b"));
        const DeadIds dead{idOf(1)};

        const QList<Example> merged = unionByID(a, b, dead);
        ASSERT_EQ(merged.size(), count / 2 + count - 1);
        for (qsizetype i = 0; i < merged.size(); ++i) {
            EXPECT_EQ(merged[i].id, idOf(int(i < 1 ? i : i + 1)));
            EXPECT_EQ(merged[i].sourceURL, i + 1 < count ? "a" : "b"); // `a`'s copy wins
        }

        const QList<Example> unique = dedupe(
            merged, [](const Example& e) { return e.sentence; }, &Example::addedAt, &Example::id);
        QStringList sentences;
        for (const Example& example : unique) {
            EXPECT_FALSE(sentences.contains(example.sentence));
            sentences.append(example.sentence);
            for (const Example& other : merged)
                EXPECT_TRUE(other.sentence != example.sentence || example.addedAt <= other.addedAt);
        }
        for (const Example& example : merged)
            EXPECT_TRUE(sentences.contains(example.sentence));
    }
}
