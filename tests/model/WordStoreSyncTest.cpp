#include "WordBookFixture.h"

#include <QSignalSpy>

using namespace glossivo;

namespace {

class WordStoreSyncTest : public glossivo::testing::WordBookFixture {
protected:
    SyncBundle bundleWith(const QList<WordEntry>& words) const
    {
        SyncBundle bundle;
        bundle.words = words;
        bundle.log = {
            QStringLiteral(R"({"time":"2026-10-07T04:00:00Z","kind":"save","word":"x"})")};
        bundle.stats = ReviewStats{QStringLiteral("2026-10-07"), 5, 1};
        return bundle;
    }

    std::optional<StudySettings> handedOver;
};

} // namespace

TEST_F(WordStoreSyncTest, snapshotOfAnEmptyBookHasTodaysCountersAndNoSettings)
{
    const SyncBundle bundle = open().snapshot();
    EXPECT_EQ(bundle.format, 1);
    EXPECT_TRUE(bundle.words.isEmpty());
    EXPECT_TRUE(bundle.log.isEmpty());
    EXPECT_EQ(bundle.stats, (ReviewStats{QStringLiteral("2026-10-07"), 0, 0}));
    EXPECT_EQ(bundle.settings, std::nullopt);
    EXPECT_TRUE(folder.files().isEmpty());

    config.studySettingsAt = QStringLiteral("2026-10-01T00:00:00Z");
    EXPECT_TRUE(open().snapshot().settings);
}

TEST_F(WordStoreSyncTest, applyReplacesEverythingAndKeepsOnlyTodaysCounters)
{
    WordStore& words = open({word(QStringLiteral("old"))});
    QSignalSpy changes(&words, &WordStore::willChange);
    SyncBundle bundle = bundleWith({word(QStringLiteral("merged"))});
    bundle.stats = ReviewStats{QStringLiteral("2026-10-06"), 9, 9};
    words.applySync(bundle);

    EXPECT_EQ(changes.count(), 1);
    ASSERT_EQ(words.entries().size(), 1);
    EXPECT_EQ(wordsOnDisk().front().headword, QStringLiteral("merged"));
    EXPECT_EQ(words.stats(), (ReviewStats{QStringLiteral("2026-10-07"), 0, 0}));
    // The counters are written even when kept.
    EXPECT_TRUE(folder.exists(QStringLiteral("review-stats.json")));
    for (const char* name : {"notes.json", "grammar.json", "affixes.json", "deleted.json"})
        EXPECT_TRUE(folder.exists(QString::fromLatin1(name))) << name;
    EXPECT_EQ(logged(), QStringList{QStringLiteral("save")});

    words.applySync(bundleWith({}));
    EXPECT_EQ(words.stats().reviewed, 5);
}

TEST_F(WordStoreSyncTest, studySettingsAreHandedOverOnlyWhenTheyDiffer)
{
    WordStore& words = open();
    words.setStudySettingsSink([this](const StudySettings& settings) { handedOver = settings; });
    SyncBundle bundle = bundleWith({});
    words.applySync(bundle);
    EXPECT_EQ(handedOver, std::nullopt); // no settings in the document

    StudySettings settings;
    settings.changedAt = QDateTime(QDate(2026, 10, 1), QTime(0, 0), QTimeZone::utc());
    bundle.settings = settings;
    words.applySync(bundle);
    EXPECT_EQ(handedOver, settings); // nothing stamped locally yet

    handedOver.reset();
    config.studySettingsAt = QStringLiteral("2026-10-01T00:00:00Z");
    words.applySync(bundle);
    EXPECT_EQ(handedOver, std::nullopt); // equal, changedAt included
}

TEST_F(WordStoreSyncTest, deletionsLeaveTombstonesEvenWithoutAMatch)
{
    WordEntry kept = word(QStringLiteral("kept"));
    WordEntry gone = word(QStringLiteral("gone"));
    WordStore& words = open({kept, gone});
    const QUuid stranger = QUuid::createUuid();

    words.deleteWord(gone.id);
    words.deleteWord(stranger);
    ASSERT_EQ(words.entries().size(), 1);
    ASSERT_EQ(words.deleted().size(), 2);
    EXPECT_EQ(words.deleted()[0].id, Json::uuidText(gone.id));
    EXPECT_EQ(words.deleted()[0].id, words.deleted()[0].id.toUpper());
    EXPECT_EQ(words.deleted()[1].at, clock.now());

    const QUuid note = QUuid::createUuid();
    words.deleteSentenceNote(note);
    clock.advance(60000);
    words.deleteSentenceNote(note);
    EXPECT_EQ(words.deleted().size(), 3); // twice is one tombstone, the first
    EXPECT_EQ(words.deleted()[2].at, clock.now().addSecs(-60));

    // A note of a word without a notes list still leaves its tombstone...
    words.deleteNote(QUuid::createUuid(), kept.id);
    EXPECT_EQ(words.deleted().size(), 4);
    // ...but nothing happens for a word that is not there.
    words.deleteExample(QUuid::createUuid(), stranger);
    EXPECT_EQ(words.deleted().size(), 4);
    EXPECT_EQ(store->entries().size(), open().entries().size());
    EXPECT_EQ(open().deleted().size(), 4); // written
    EXPECT_TRUE(logged().isEmpty());       // deletions are not learning events
}

TEST_F(WordStoreSyncTest, removingTheLastEncounterOfAPointLocksItAgain)
{
    WordStore& words = open();
    Explanation explanation;
    explanation.headword = QStringLiteral("delete");
    explanation.meaningZh = QStringLiteral("删除");
    explanation.sentence = QStringLiteral("This post was deleted.");
    explanation.grammar = QStringLiteral("passive");
    explanation.affixes = QStringList{QStringLiteral("un-")};
    words.save(explanation, {});
    ASSERT_EQ(words.unlockedGrammar(), std::set<GrammarPoint>{GrammarPoint::passive});
    EXPECT_EQ(words.unlockedAffixes(), std::set<Affix>{Affix::un});

    words.deleteGrammarEncounter(words.grammarEncounters().front().id);
    EXPECT_TRUE(words.unlockedGrammar().empty());
}
