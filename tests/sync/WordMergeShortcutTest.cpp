#include "SyncSamples.h"

#include "sync/WordMerge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// Words whose lists are sometimes as a merge leaves them and sometimes not: drawn from small
// pools, so that ids, sentences, times, form kinds and days repeat, come out of order, are
// missing or invalid, and examples and notes are at times among the deleted.
class WordDraws {
public:
    explicit WordDraws(unsigned seed) : m_random(seed) {}

    WordEntry word()
    {
        WordEntry word = sampleWord("0A", "run", 1);
        for (int i = pick(4); i > 0; --i)
            word.examples.append(
                {.id = id(), .sentence = any({"I run.", "Run!", "Go."}), .addedAt = time()});
        if (pick(2)) {
            word.notes.emplace();
            for (int i = pick(3); i > 0; --i)
                word.notes->append({.id = id(), .question = "why?", .addedAt = time()});
        }
        if (pick(2)) {
            word.forms.emplace();
            for (int i = pick(3); i > 0; --i)
                word.forms->append({FormKind(pick(3)), "ran", time(), pick(4), {}});
        }
        if (pick(2)) {
            word.encounterDays.emplace();
            for (int i = pick(4); i > 0; --i)
                word.encounterDays->append(any({"2026-10-01", "2026-10-02", "2026-10-03"}));
        }
        if (pick(2)) word.sourceKeys = QStringList{"a.org", any({"a.org", "b.org"})};
        if (pick(2)) word.review = ReviewState{2.0, 5, oct(9), time(), 3, 0, 1};
        return word;
    }

    SyncMerge::DeadIds dead()
    {
        SyncMerge::DeadIds ids;
        if (pick(3) == 0) ids.insert(sampleId(m_ids[pick(m_ids.size())]));
        return ids;
    }

private:
    int pick(qsizetype count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    QString any(QStringList choices) { return choices[pick(choices.size())]; }
    QUuid id() { return sampleId(m_ids[pick(m_ids.size())]); }
    QDateTime time() { return pick(12) == 0 ? QDateTime() : oct(1 + pick(3)); }

    std::mt19937 m_random;
    const std::vector<const char*> m_ids{"E1", "E2", "E3", "E4", "E5"};
};

bool validDates(const WordEntry& word)
{
    const auto valid = [](const auto& record) { return record.addedAt.isValid(); };
    return std::all_of(word.examples.begin(), word.examples.end(), valid) &&
           (!word.notes || std::all_of(word.notes->begin(), word.notes->end(), valid));
}

} // namespace

TEST(WordMergeShortcut, AWordMergedWithItselfIsWhatTheFullMergeMakesOfIt)
{
    WordDraws draws(17);
    int settled = 0, unsettled = 0;
    for (int i = 0; i < 4000; ++i) {
        const WordEntry word = draws.word();
        const SyncMerge::DeadIds dead = draws.dead();
        const WordEntry full = SyncMerge::mergeFields(word, word, dead);
        const WordEntry copy = word;
        ASSERT_EQ(SyncMerge::mergeEntry(word, word, dead), full) << i;
        ASSERT_EQ(SyncMerge::mergeEntry(word, copy, dead), full) << i;
        if (SyncMerge::isSettled(word, dead)) {
            ASSERT_EQ(full, word) << i;
            ++settled;
        } else {
            ++unsettled;
        }
        // What the merge makes of words with valid dates is settled, so that the next pass
        // takes the shortcut.
        if (validDates(word)) {
            ASSERT_TRUE(SyncMerge::isSettled(full, dead)) << i;
        }
    }
    EXPECT_GT(settled, 500);
    EXPECT_GT(unsettled, 500);
}

TEST(WordMergeShortcut, TwoDifferentWordsAreMergedFieldByField)
{
    WordEntry x = sampleWord("0A", "run", 1), y = x;
    y.lookupCount = 4;
    y.examples = {sampleExample("E1", "I run.", 2)};
    const WordEntry merged = SyncMerge::mergeEntry(x, y, {});
    EXPECT_EQ(merged, SyncMerge::mergeFields(x, y, {}));
    EXPECT_EQ(merged.lookupCount, 4);
    EXPECT_EQ(merged.examples, y.examples);
}
