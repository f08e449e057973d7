#include "WordBookFixture.h"

#include "model/FolderLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

#include <cstdio>
#include <functional>

using namespace glossivo;
using glossivo::testing::WordBookFixture;

namespace {

AINote note(const QString& text)
{
    AINote made;
    made.id = QUuid::createUuid();
    made.question = text;
    made.answer = text;
    made.addedAt = QDateTime(QDate(2026, 10, 7), QTime(8, 0), QTimeZone::utc());
    return made;
}

// A document whose path is taken by a folder cannot be written until the folder goes.
class WordStoreWritesTest : public WordBookFixture {
protected:
    void block(const QString& name)
    {
        QFile::remove(folder.path(name));
        ASSERT_TRUE(QDir(folder.path({})).mkdir(name));
    }
    void unblock(const QString& name) { ASSERT_TRUE(QDir(folder.path({})).rmdir(name)); }
};

} // namespace

TEST_F(WordStoreWritesTest, aFailedWriteIsReportedOnceKeptInMemoryAndRetriedAtTheNextChange)
{
    open();
    QSignalSpy failed(store.get(), &WordStore::writeFailed);
    QSignalSpy recovered(store.get(), &WordStore::writeRecovered);
    block("words.json");

    store->save(explained("ferry"), {});
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0][0].toString(), "words.json");
    EXPECT_FALSE(failed[0][1].toString().isEmpty());
    EXPECT_EQ(store->failedDocuments(), QStringList{"words.json"});
    EXPECT_EQ(store->entries().size(), 1);

    // Another document's change tries the failing one again, without a second report.
    store->addSentenceNote(note("one"));
    EXPECT_EQ(failed.size(), 1);
    EXPECT_TRUE(folder.exists("notes.json"));

    unblock("words.json");
    store->addSentenceNote(note("two"));
    ASSERT_EQ(recovered.size(), 1);
    EXPECT_EQ(recovered[0][0].toString(), "words.json");
    EXPECT_TRUE(store->failedDocuments().isEmpty());
    ASSERT_EQ(wordsOnDisk().size(), 1);
    EXPECT_EQ(wordsOnDisk()[0].headword, "ferry");

    // Failing again is a new failure to report.
    block("words.json");
    store->save(explained("patch"), {});
    EXPECT_EQ(failed.size(), 2);
}

// A kill can come between the document and its log line. The document goes first, so the worst
// case is a change without its line, never a line telling of a change that was lost; and while
// a document cannot be written its lines wait with it.
TEST_F(WordStoreWritesTest, theLogTellsOnlyOfChangesThatReachedTheDisk)
{
    const WordEntry ferry = learning("ferry");
    open({ferry});
    block("words.json");
    store->applyReview(ferry.id, Rating::good, "review");
    store->save(explained("patch"), {});
    EXPECT_EQ(logged(), QStringList());
    EXPECT_EQ(store->failedDocuments(), QStringList{"words.json"});

    unblock("words.json");
    store->setWantToLearn(ferry.id, true);
    EXPECT_EQ(logged(), (QStringList{"review good", "save"}));
    EXPECT_EQ(wordsOnDisk().size(), 2);
}

TEST_F(WordStoreWritesTest, aLogThatCannotBeWrittenIsReportedAndCatchesUp)
{
    const WordEntry ferry = learning("ferry");
    open({ferry});
    QSignalSpy failed(store.get(), &WordStore::writeFailed);
    block("learning-log.jsonl");
    store->rest(ferry.id, 3);
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0][0].toString(), "learning-log.jsonl");
    EXPECT_EQ(wordsOnDisk()[0].stage, Stage::resting);

    unblock("learning-log.jsonl");
    store->setWantToLearn(ferry.id, true);
    EXPECT_EQ(logged(), QStringList{"rest"});
    EXPECT_TRUE(store->failedDocuments().isEmpty());
}

TEST_F(WordStoreWritesTest, leftoverTemporaryFilesAreRemovedAtLoad)
{
    for (const char* name :
         {"words.json.tmp-Xy12ab", "notes.json.tmp-000000", "grammar.json.tmp-aaaaaa",
          "affixes.json.tmp-ZZZZZZ", "deleted.json.tmp-q1w2e3", "review-stats.json.tmp-AbCdEf",
          "learning-log.jsonl.tmp-k9k9k9"})
        folder.write(name, "partial");
    folder.write("words.json.backup", "mine");
    open();
    EXPECT_EQ(folder.files(), QStringList{"words.json.backup"});
}

// The words' texts are not kept in memory but read again from the file for each write: a file
// another program changed since must not lend its text to the next write, which holds that
// program's change instead.
TEST_F(WordStoreWritesTest, eachWriteHoldsTheWordsAsTheyAreInMemory)
{
    open({word("ferry"), word("harbor"), word("patch")});
    store->finishLoading();
    const auto inMemory = [&] {
        return QJsonDocument(Json::toArray(store->entries())).toJson(QJsonDocument::Indented);
    };
    const auto changedInPlace = [&] {
        QFile file(folder.path("words.json"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll().replace("harbor", "HARBOR");
        file.seek(0);
        file.write(bytes);
        // Not within the clock tick of the write before, as an edit by hand never is; flushed
        // first, or the flush at close would set the time to now again.
        file.flush();
        file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(5),
                         QFileDevice::FileModificationTime);
    };
    // By another program, which lays the words out its own way.
    const auto replaced = [&] {
        folder.write("other.json", QJsonDocument(Json::toArray(store->entries()))
                                       .toJson(QJsonDocument::Compact)
                                       .replace("patch", "PATCH"));
        ASSERT_EQ(std::rename(QFile::encodeName(folder.path("other.json")).constData(),
                              QFile::encodeName(folder.path("words.json")).constData()),
                  0);
    };
    for (const auto& change :
         {std::function<void()>(changedInPlace), std::function<void()>(replaced)}) {
        store->recordLookup(explained("patch"), {});
        ASSERT_EQ(folder.read("words.json"), inMemory());
        // Nor is a replaced word book held open, taking room on the disk.
        for (const QFileInfo& fd :
             QDir("/proc/self/fd").entryInfoList(QDir::AllEntries | QDir::System))
            EXPECT_FALSE(fd.symLinkTarget().contains(QStringLiteral("words.json (deleted)")));
        change();
        store->recordLookup(explained("ferry"), {});
        EXPECT_EQ(folder.read("words.json"), inMemory());
    }
}

// A window names why the save fails now: a document that first failed for another process's
// turn and then for the disk gives the disk's reason.
TEST_F(WordStoreWritesTest, theReasonOfAFailingDocumentFollowsItsLatestTry)
{
    open();
    FolderLock another(folder.paths().wordBookLock());
    ASSERT_EQ(another.acquire(std::chrono::milliseconds(0)), FolderLock::State::held);
    store->setLockWait(std::chrono::milliseconds(0));
    store->save(explained("ferry"), {});
    const QString busy = store->writeError("words.json");
    another.release();
    block("words.json");
    store->save(explained("harbor"), {});
    EXPECT_NE(store->writeError("words.json"), busy);
    EXPECT_FALSE(store->writeError("words.json").isEmpty());
}
