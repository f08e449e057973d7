#include "SyncSamples.h"

#include "model/JsonFields.h"
#include "sync/MergeLists.h"
#include "sync/SyncMerge.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

// The reference bundles (MergeFixtureTest) cover the main rules; these cover their tie-breaks.
namespace {

Tombstone tombstone(const char* id, int day)
{
    return {Json::uuidText(sampleId(id)), oct(day)};
}

WordEntry merged(const WordEntry& x, const WordEntry& y)
{
    return SyncMerge::merge(bundleOf({x}), bundleOf({y})).words.value(0);
}

} // namespace

TEST(SyncMerge, RecordListsKeepEarliestDeletionFirstCopyAndOldestEncounter)
{
    SyncBundle a = bundleOf({}, {tombstone("01", 5)}), b = bundleOf({}, {tombstone("01", 2)});
    // Ids are compared as upper-case text: a lower-case tombstone id deletes nothing.
    b.deleted.append({sampleId("0B").toString(QUuid::WithoutBraces), oct(1)});
    a.notes = {{.id = sampleId("01"), .addedAt = oct(1)},
               {.id = sampleId("03"), .addedAt = oct(2)}};
    b.notes = {{.id = sampleId("03"), .question = "other copy", .addedAt = oct(2)},
               {.id = sampleId("0B"), .addedAt = oct(2)}};
    a.grammar = {{.id = sampleId("05"), .sentence = "It ran.", .addedAt = oct(3)}};
    b.grammar = {{.id = sampleId("04"), .sentence = "It ran.", .addedAt = oct(3)}};
    a.affixes = {{.id = sampleId("07"), .headword = "Undo", .addedAt = oct(4)}};
    b.affixes = {{.id = sampleId("06"), .headword = "undo", .addedAt = oct(5)}};

    const SyncBundle result = SyncMerge::merge(a, b);
    ASSERT_EQ(result.deleted.size(), 2);
    EXPECT_EQ(result.deleted[1], tombstone("01", 2));
    EXPECT_EQ(result.notes, QList<AINote>({a.notes[1], b.notes[1]}));
    EXPECT_EQ(result.grammar, b.grammar);
    EXPECT_EQ(result.affixes, a.affixes);
}

TEST(SyncMerge, LogCountersAndSettingsFollowTimeThenContent)
{
    SyncBundle a, b;
    a.format = b.format = 7;
    a.log = {R"({"time":"2026-10-02T00:00:00Z","word":"b"})", "garbage", R"({"time":5})"};
    b.log = {R"({"time":"2026-10-02T00:00:00Z","word":"a"})"};
    a.stats = ReviewStats{"2026-10-07", 9, 9};
    b.stats = ReviewStats{"2026-10-08", 1, 0};
    a.settings = StudySettings{.sessionSize = 20, .graduateDays = 90, .changedAt = oct(5)};
    b.settings = StudySettings{.sessionSize = 25, .graduateDays = 1, .changedAt = oct(5)};

    const SyncBundle result = SyncMerge::merge(a, b);
    EXPECT_EQ(result.format, 1);
    EXPECT_EQ(result.log, QStringList({"garbage", R"({"time":5})", b.log[0], a.log[0]}));
    EXPECT_EQ(result.stats, b.stats);
    EXPECT_EQ(result.settings, b.settings);
}

TEST(SyncMerge, JoinsWordsByTrimmedHeadwordAndTidiesSingleCopies)
{
    WordEntry older = sampleWord("0B", "Run ", 1), newer = sampleWord("0A", "run", 2);
    older.meaningZh.clear();
    older.examples = {sampleExample("E2", "I run.", 3)};
    newer.examples = {sampleExample("E1", "I run.", 2), sampleExample("E4", "Run!", 1)};
    newer.notes = QList<AINote>{};
    WordEntry lone = sampleWord("1A", "set", 1);
    lone.examples = {sampleExample("E5", "Set it.", 3), sampleExample("E6", "Set it.", 2),
                     sampleExample("E3", "Gone.", 1)};
    lone.encounterDays = QStringList{"2026-10-02", "2026-10-01", "2026-10-02"};

    const SyncBundle result =
        SyncMerge::merge(bundleOf({newer, sampleWord("0C", "run\n", 1), sampleWord("0E", "cat", 1)},
                                  {tombstone("E3", 1)}),
                         bundleOf({older, sampleWord("0F", "Cat", 1), lone}));
    ASSERT_EQ(result.words.size(), 4);
    const WordEntry& run = result.words[0];
    EXPECT_EQ(std::tie(run.id, run.headword, run.meaningZh),
              std::tie(older.id, older.headword, newer.meaningZh));
    EXPECT_EQ(run.examples, QList<Example>({newer.examples[1], newer.examples[0]}));
    EXPECT_EQ(run.notes, QList<AINote>());
    EXPECT_EQ(result.words[1].id, sampleId("0C")); // a line break is not padding
    EXPECT_EQ(result.words[2].headword, "cat");    // equal createdAt: the smaller id is the base
    EXPECT_EQ(result.words[3].examples, QList<Example>{lone.examples[1]});
    EXPECT_EQ(result.words[3].encounterDays, QStringList({"2026-10-01", "2026-10-02"}));
}

// A book large enough to be merged in parts, with headwords that many words share: one word per
// headword comes out, with the identity of the earliest saved (equal times: the smallest id
// text), newest first.
TEST(SyncMerge, ManySharedHeadwordsInALargeBookLeaveOneWordEach)
{
    QRandomGenerator random(17);
    QList<WordEntry> a, b;
    QMap<QString, WordEntry> base; // key -> the word whose identity must survive
    for (int i = 0; i < 3000; ++i) {
        const QString key = QStringLiteral("word%1").arg(random.bounded(700));
        // The same key in several spellings: case and padding do not make another word.
        QString headword = i % 3 == 1 ? key.toUpper() : key;
        if (i % 5 == 2) headword += u' ';
        WordEntry word = sampleWord("00", headword, 1 + int(random.bounded(20)));
        QByteArray id(16, '\0');
        random.fillRange(reinterpret_cast<quint32*>(id.data()), 4);
        word.id = QUuid::fromRfc4122(id);
        (i % 2 ? a : b).append(word);
        const auto known = base.constFind(key);
        if (known == base.cend() || word.createdAt < known->createdAt ||
            (word.createdAt == known->createdAt && SyncMerge::idTextLess(word.id, known->id)))
            base[key] = word;
    }
    const SyncBundle result = SyncMerge::merge(bundleOf(a), bundleOf(b));
    ASSERT_EQ(result.words.size(), base.size());
    for (qsizetype i = 0; i < result.words.size(); ++i) {
        const WordEntry& word = result.words[i];
        EXPECT_EQ(word.id, base.value(word.headword.trimmed().toLower()).id) << i;
        if (i > 0) {
            EXPECT_GE(result.words[i - 1].createdAt, word.createdAt) << i;
        }
    }
}

// The same blanks as the word book's index: any space separator, not only space and tab.
TEST(SyncMerge, JoinsHeadwordsPaddedWithAnySpaceSeparator)
{
    for (const char* padded : {"apple\u00a0", "\u3000apple", "\tapple\u2009", "apple "}) {
        const SyncBundle result =
            SyncMerge::merge(bundleOf({sampleWord("0A", QString::fromUtf8(padded), 1)}),
                             bundleOf({sampleWord("0B", "Apple", 2)}));
        EXPECT_EQ(result.words.size(), 1) << padded;
    }
    const SyncBundle broken = SyncMerge::merge(bundleOf({sampleWord("0A", "apple\n", 1)}),
                                               bundleOf({sampleWord("0B", "Apple", 2)}));
    EXPECT_EQ(broken.words.size(), 2);
}

TEST(SyncMerge, FirstArgumentIsTheBaseOfTwoCopiesOfOneWord)
{
    WordEntry x = sampleWord("0A", "run", 1), y = x;
    x.meaningZh = "跑";
    x.familyRoot = QString();
    y.familyRoot = "run";
    x.inflections = QMap<QString, QString>{{"past", "ran"}};
    y.inflections = QMap<QString, QString>{{"past", "runned"}, {"ing", "running"}};
    x.affixes = QList<Affix>{};
    y.affixes = QList<Affix>{Affix::re};
    x.sourceKeys = QStringList{"b.org"};
    y.sourceKeys = QStringList{"a.org", "b.org", "a.org"};
    x.forms = QList<FormRecord>{{FormKind::past, "ran", oct(3), 2, "x"},
                                {FormKind::base, "run", oct(3), 1, {}}};
    y.forms = QList<FormRecord>{{FormKind::ing, "running", oct(4), 1, {}},
                                {FormKind::past, "runned", oct(2), 1, "y"},
                                {FormKind::base, "Run", oct(3), 1, {}}};

    const WordEntry result = merged(x, y);
    EXPECT_EQ(result.meaningZh, "跑");
    EXPECT_EQ(result.familyRoot, QString());
    EXPECT_EQ(result.inflections, (QMap<QString, QString>{{"past", "ran"}, {"ing", "running"}}));
    EXPECT_EQ(result.affixes, y.affixes);
    EXPECT_EQ(result.sourceKeys, QStringList({"b.org", "a.org"}));
    EXPECT_EQ(result.forms,
              QList<FormRecord>(
                  {{FormKind::past, "runned", oct(2), 2, "y"}, x.forms->at(1), y.forms->at(0)}));
    EXPECT_EQ(merged(result, result), result);
    x.meaningZh.clear();
    EXPECT_EQ(merged(x, y).meaningZh, y.meaningZh);
}

TEST(SyncMerge, EqualTimesFallBackToRankRepsLevelThenFirstArgument)
{
    WordEntry x = sampleWord("0A", "run", 1), y = x;
    x.review = ReviewState{.stability = 9, .lastReview = oct(5), .reps = 3};
    y.review = ReviewState{.stability = 2, .lastReview = oct(5), .reps = 5};
    x.stage = Stage::learning;
    y.stage = Stage::mastered;
    x.stateAt = y.stateAt = oct(4);
    y.restUntil = oct(9);
    x.wantToLearn = true;
    y.spellLevel = 0;

    WordEntry result = merged(x, y);
    EXPECT_EQ(result.review, y.review);
    EXPECT_EQ(std::tie(result.stage, result.restUntil, result.wantToLearn),
              std::tie(y.stage, y.restUntil, y.wantToLearn));
    EXPECT_EQ(result.spellLevel, 0);

    x.stage = Stage::resting;
    y.stage.reset();
    y.review->reps = 3;
    result = merged(y, x);
    EXPECT_EQ(result.stage, Stage::resting);
    EXPECT_EQ(result.review, y.review);
}

TEST(SyncMerge, IdOrderIsTheOrderOfTheUpperCaseText)
{
    auto randomId = [] {
        QByteArray bytes(16, '\0');
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(bytes.data()), 4);
        return QUuid::fromRfc4122(bytes);
    };
    for (int i = 0; i < 500; ++i) {
        const QUuid left = randomId(), right = i % 7 ? randomId() : left;
        EXPECT_EQ(SyncMerge::idTextLess(left, right), Json::uuidText(left) < Json::uuidText(right));
    }
}
