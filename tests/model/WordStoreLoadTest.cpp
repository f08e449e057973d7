#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace glossivo;
using glossivo::testing::DataFolder;
using glossivo::testing::FakeClock;

namespace {

QByteArray entryJson(const char* id, const char* headword, const char* extra = "")
{
    return QByteArray(R"({"id": ")") + id + R"(", "headword": ")" + headword +
           R"(", "phonetic": "", "pos": "", "meaningZh": "义", "definitionEn": "",
              "register": "neutral", "registerNoteZh": "", "examples": [],
              "createdAt": "2026-10-01T08:00:00Z", "lookupCount": 1)" +
           extra + "}";
}

class WordStoreLoadTest : public ::testing::Test {
protected:
    std::unique_ptr<WordStore> open() { return std::make_unique<WordStore>(folder.paths(), clock); }

    DataFolder folder;
    // 23:30 UTC is already the next day in the tests' time zone (UTC+8).
    FakeClock clock{QDateTime(QDate(2026, 10, 6), QTime(23, 30), QTimeZone::utc())};
};

} // namespace

TEST_F(WordStoreLoadTest, emptyFolderGivesEmptyListsAndTodaysZeroCounters)
{
    const auto store = open();
    EXPECT_TRUE(store->entries().isEmpty());
    EXPECT_TRUE(store->sentenceNotes().isEmpty());
    EXPECT_TRUE(store->grammarEncounters().isEmpty());
    EXPECT_TRUE(store->affixEncounters().isEmpty());
    EXPECT_TRUE(store->deleted().isEmpty());
    EXPECT_EQ(store->stats(), (ReviewStats{QStringLiteral("2026-10-07"), 0, 0}));
    EXPECT_TRUE(folder.files().isEmpty());
}

TEST_F(WordStoreLoadTest, loadsDocumentsInFileOrder)
{
    folder.write(QStringLiteral("words.json"),
                 "[" + entryJson("00000000-0000-0000-0000-000000000002", "newer") + "," +
                     entryJson("00000000-0000-0000-0000-000000000001", "older") + "]");
    folder.write(QStringLiteral("deleted.json"),
                 R"([{"id": "gone", "at": "2026-10-01T08:00:00Z"}])");
    folder.write(QStringLiteral("review-stats.json"),
                 R"({"day": "2026-10-07", "reviewed": 4, "newLearned": 2})");
    const auto store = open();
    ASSERT_EQ(store->entries().size(), 2);
    EXPECT_EQ(store->entries()[0].headword, QStringLiteral("newer"));
    EXPECT_EQ(store->deleted().size(), 1);
    EXPECT_EQ(store->stats(), (ReviewStats{QStringLiteral("2026-10-07"), 4, 2}));
}

TEST_F(WordStoreLoadTest, oneBadRecordEmptiesOnlyItsOwnDocument)
{
    const QByteArray words =
        "[" + entryJson("00000000-0000-0000-0000-000000000001", "good") + "," +
        entryJson("00000000-0000-0000-0000-000000000002", "bad", R"(, "stage": "Learning")") + "]";
    folder.write(QStringLiteral("words.json"), words);
    folder.write(QStringLiteral("notes.json"), "[]");
    folder.write(QStringLiteral("affixes.json"),
                 R"([{"id": "00000000-0000-0000-0000-000000000003", "affix": "un-",
                      "headword": "undo", "addedAt": "2026-10-01T08:00:00Z"}])");
    folder.write(QStringLiteral("grammar.json"), "{}");
    const auto store = open();
    EXPECT_TRUE(store->entries().isEmpty());
    EXPECT_TRUE(store->affixEncounters().isEmpty());
    EXPECT_TRUE(store->grammarEncounters().isEmpty());
    EXPECT_EQ(folder.read(QStringLiteral("words.json")), words); // untouched at load
    // Each refused document is copied aside at once, so that the user can be told where.
    const QMap<QString, QString> kept = store->keptAside();
    ASSERT_EQ(kept.keys(), (QStringList{"affixes.json", "grammar.json", "words.json"}));
    EXPECT_EQ(folder.read(QFileInfo(kept["words.json"]).fileName()), words);
    EXPECT_EQ(folder.files().size(), 7);
    // A later start names the same copy rather than making another.
    EXPECT_EQ(open()->keptAside(), kept);
    EXPECT_EQ(folder.files().size(), 7);
}

// Another device may write the first or last hours of the calendar with an offset.
TEST_F(WordStoreLoadTest, aDateAtEitherEndOfTheCalendarLoadsAsTheNearestWritableOne)
{
    for (const char* date : {"9999-12-31T23:59:59-01:00", "0001-01-01T00:00:00+01:00"}) {
        folder.write(QStringLiteral("words.json"),
                     "[" +
                         entryJson("00000000-0000-0000-0000-000000000001", "far",
                                   QByteArray(R"(, "restUntil": ")") + date + "\"") +
                         "]");
        const auto store = open();
        ASSERT_EQ(store->entries().size(), 1) << date;
        EXPECT_TRUE(store->keptAside().isEmpty());
    }
}

// A word book laid out as the store writes it is read word by word; a bad word there still sets
// the whole document aside, and text the word-by-word reading refuses but the whole reading
// repairs (a lone surrogate that QJsonDocument wrote) still loads.
TEST_F(WordStoreLoadTest, aWordBookAsWrittenIsReadWithTheSameRules)
{
    const auto laidOut = [](const QByteArray& compact) {
        return QJsonDocument::fromJson(compact).toJson(QJsonDocument::Indented);
    };
    const QByteArray bad = laidOut(
        "[" + entryJson("00000000-0000-0000-0000-000000000001", "good") + "," +
        entryJson("00000000-0000-0000-0000-000000000002", "bad", R"(, "lookupCount": "2")") + "]");
    folder.write(QStringLiteral("words.json"), bad);
    EXPECT_TRUE(open()->entries().isEmpty());
    EXPECT_EQ(folder.read(QStringLiteral("words.json")), bad);

    const QByteArray lone =
        laidOut("[" + entryJson("00000000-0000-0000-0000-000000000001", "good") + "]")
            .replace("\"义\"", "\"a\\ud800b\"");
    ASSERT_TRUE(lone.contains("\\ud800"));
    folder.write(QStringLiteral("words.json"), lone);
    const auto store = open();
    ASSERT_EQ(store->entries().size(), 1);
    EXPECT_EQ(store->entries()[0].meaningZh, QStringLiteral("a\uFFFDb"));
}

// Another program may rewrite the store's own words.json in place, in the same layout and size:
// its texts are then checked, and the next write puts them in the store's own words again.
TEST_F(WordStoreLoadTest, aWordBookRewrittenByAnotherProgramIsWrittenInTheStoresOwnTexts)
{
    folder.write(QStringLiteral("words.json"),
                 "[" + entryJson("00000000-0000-0000-0000-000000000001", "one") + "," +
                     entryJson("00000000-0000-0000-0000-000000000002", "two") + "," +
                     entryJson("00000000-0000-0000-0000-000000000003", "three") + "]");
    open()->deleteWord(QUuid("{00000000-0000-0000-0000-000000000003}"));
    const QByteArray own = folder.read(QStringLiteral("words.json"));
    ASSERT_TRUE(own.contains("\"lookupCount\": 1"));
    QByteArray foreign = own;
    folder.write(QStringLiteral("words.json"),
                 foreign.replace("\"lookupCount\": 1", "\"lookupCount\" :1"));
    QFile file(folder.path(QStringLiteral("words.json")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QFileInfo(file).lastModified().addSecs(1),
                                 QFileDevice::FileModificationTime));
    file.close();

    const auto store = open();
    store->finishLoading();
    store->setWantToLearn(store->entries().at(0).id, true); // "two" stays as it was read
    EXPECT_FALSE(folder.read(QStringLiteral("words.json")).contains("\"lookupCount\" :1"));
}

TEST_F(WordStoreLoadTest, yesterdaysCountersAreNotToday)
{
    const QByteArray yesterday = R"({"day": "2026-10-06", "reviewed": 9, "newLearned": 3})";
    folder.write(QStringLiteral("review-stats.json"), yesterday);
    const auto store = open();
    EXPECT_EQ(store->stats(), (ReviewStats{QStringLiteral("2026-10-07"), 0, 0}));
    EXPECT_EQ(folder.read(QStringLiteral("review-stats.json")), yesterday);
}

TEST_F(WordStoreLoadTest, indexFindsTheNewestMatchTrimmedAndCaseBlind)
{
    folder.write(QStringLiteral("words.json"),
                 "[" + entryJson("00000000-0000-0000-0000-000000000003", "run ") + "," +
                     entryJson("00000000-0000-0000-0000-000000000002", "Run") + "," +
                     entryJson("00000000-0000-0000-0000-000000000001", "run") + "]");
    const auto store = open();
    EXPECT_EQ(store->index(QStringLiteral("  run\t")), 1);
    EXPECT_EQ(store->index(QStringLiteral("RUN")), 1);
    EXPECT_EQ(store->index(QStringLiteral("run ")), 1); // the stored "run " is never matched
    EXPECT_EQ(store->index(QStringLiteral("run\n")), std::nullopt); // line breaks are not trimmed
    EXPECT_EQ(store->index(QStringLiteral("walk")), std::nullopt);
}

TEST_F(WordStoreLoadTest, indexMatchesHeadwordsBeyondASCIIAndNeverByPrefix)
{
    folder.write(QStringLiteral("words.json"),
                 "[" + entryJson("00000000-0000-0000-0000-000000000003", "ÜBER") + "," +
                     entryJson("00000000-0000-0000-0000-000000000002", "Naïve") + "," +
                     entryJson("00000000-0000-0000-0000-000000000001", "Running") + "]");
    const auto store = open();
    EXPECT_EQ(store->index(QStringLiteral("über")), 0);
    EXPECT_EQ(store->index(QStringLiteral("NAÏVE")), 1);
    EXPECT_EQ(store->index(QStringLiteral("running")), 2);
    EXPECT_EQ(store->index(QStringLiteral("run")), std::nullopt);
    EXPECT_EQ(store->index(QStringLiteral("runnings")), std::nullopt);
    EXPECT_EQ(store->index(QStringLiteral("naive")), std::nullopt);
}
