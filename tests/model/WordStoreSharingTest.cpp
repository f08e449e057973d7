#include "WordBookFixture.h"

#include "model/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

using namespace glossivo;
using glossivo::testing::WordBookFixture;

namespace {

// Rewrites the file in place, keeping its size, and puts its times back as a restore from backup
// or `rsync --inplace -t` does.
void rewriteInPlace(const QString& name, const QByteArray& from, const QByteArray& to)
{
    const QByteArray path = QFile::encodeName(name);
    struct stat before {};
    ASSERT_EQ(::stat(path.constData(), &before), 0);
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll().replace(from, to);
    file.seek(0);
    file.write(bytes);
    file.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
}

// Two Glossivo processes over the same data folder.
class WordStoreSharingTest : public WordBookFixture {
protected:
    QStringList headwordsOnDisk() const { return headwords(wordsOnDisk()); }

    QByteArray inMemory() const
    {
        return QJsonDocument(Json::toArray(store->entries())).toJson(QJsonDocument::Indented);
    }
};

TEST_F(WordStoreSharingTest, aWordSavedByAnotherProcessIsKeptByTheNextSaveHere)
{
    open({word("ferry")});
    const auto commandLine = other();
    commandLine->addSpellPractice(explained("harbor"));
    store->save(explained("patch"), {});
    EXPECT_EQ(headwordsOnDisk(), (QStringList{"ferry", "harbor", "patch"}));
    // And the other way round, with a word book grown by a first write.
    commandLine->addSpellPractice(explained("reluctant"));
    EXPECT_EQ(headwordsOnDisk(), (QStringList{"ferry", "harbor", "patch", "reluctant"}));
    ASSERT_TRUE(store->index("harbor"));
    store->refresh();
    EXPECT_TRUE(store->index("reluctant"));
    EXPECT_TRUE(store->entries()[*store->index("harbor")].spellPractice == true);
}

// Where the file system cannot lock, a command-line mode refuses to write and says why; the
// tray program, the one process that keeps the word book, writes all the same.
TEST_F(WordStoreSharingTest, withoutLocksOnlyTheProcessAllowedToWritesAndTheOtherSaysWhy)
{
    open({word("ferry")});
    AtomicFile::setLockCall([](int, int) { return errno = ENOLCK, -1; });
    const auto commandLine = other();
    QSignalSpy failed(commandLine.get(), &WordStore::writeFailed);
    commandLine->addSpellPractice(explained("harbor"));
    store->setWritesWithoutLocks(true);
    store->save(explained("patch"), {});
    AtomicFile::setLockCall(nullptr);
    EXPECT_EQ(headwordsOnDisk(), (QStringList{"ferry", "patch"}));
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0][0].toString(), "words.json");
    EXPECT_TRUE(failed[0][1].toString().contains(QStringLiteral("不能加锁")));
}

// A same-size rewrite in place that puts the time back, before a write or while it copies the
// words from the file: the write holds neither the old text at shifted places nor a torn one.
TEST_F(WordStoreSharingTest, anEditInPlaceIsTakenInAndNeverCopiedFromStaleOffsets)
{
    static QString words;
    words = folder.path("words.json");
    using Copy = ssize_t (*)(int, off_t*, int, off_t*, size_t, unsigned);
    const Copy duringCopy = [](int in, off_t* from, int out, off_t* to, size_t size,
                               unsigned flags) -> ssize_t {
        AtomicFile::setCopyCall(nullptr);
        rewriteInPlace(words, "harbor", "HARBOR");
        return ::copy_file_range(in, from, out, to, size, flags);
    };
    for (const bool whileCopying : {false, true}) {
        open({word("ferry"), word("harbor"), word("patch")});
        store->finishLoading();
        store->recordLookup(explained("patch"), {});
        if (whileCopying)
            AtomicFile::setCopyCall(duringCopy);
        else
            rewriteInPlace(words, "harbor", "HARBOR");
        store->recordLookup(explained("ferry"), {});
        AtomicFile::setCopyCall(nullptr);
        EXPECT_EQ(folder.read("words.json"), inMemory()) << whileCopying;
        EXPECT_EQ(wordsOnDisk().size(), 3) << whileCopying;
        // An edit made before the write is taken in; one made while it copies is not.
        EXPECT_EQ(store->entries().at(*store->index("harbor")).headword == "HARBOR", !whileCopying);
    }
}

// A word left out between two that stay: the copies of the two never take in the text between.
TEST_F(WordStoreSharingTest, aWordDeletedFromTheMiddleLeavesTheOthersWhole)
{
    const WordEntry middle = word("harbor");
    open({word("ferry"), middle, word("patch")});
    store->finishLoading();
    store->recordLookup(explained("patch"), {}); // the words now stand in a file written here
    store->deleteWord(middle.id);
    EXPECT_EQ(folder.read("words.json"), inMemory());
    EXPECT_EQ(headwordsOnDisk(), (QStringList{"ferry", "patch"}));
}

// A change counts as saved only once it outlives a power cut: the new document, the folder that
// names it (once the rename has given it its name) and the learning log are each flushed before
// the operation returns.
TEST_F(WordStoreSharingTest, aSaveFlushesTheDocumentItsFolderAndTheLog)
{
    open({word("ferry")});
    static QStringList synced;
    synced.clear();
    AtomicFile::setSyncCall([](int fd) {
        const QString target =
            QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget();
        const bool beforeRename =
            QFileInfo(target).isDir() && !QDir(target).entryList({"*.tmp-*"}).isEmpty();
        synced.append(target + (beforeRename ? " before the rename" : ""));
        return ::fsync(fd);
    });
    store->save(explained("harbor"), {});
    AtomicFile::setSyncCall(nullptr);
    const QString root = QFileInfo(folder.path({})).canonicalFilePath();
    const QString said = synced.join(' ');
    const qsizetype document = synced.indexOf(QRegularExpression(".*/words\\.json\\.tmp-.*"));
    ASSERT_GE(document, 0) << said.toStdString();
    EXPECT_EQ(synced.value(document + 1), root) << said.toStdString();
    EXPECT_GT(synced.indexOf(root + "/learning-log.jsonl"), document) << said.toStdString();
}

} // namespace
