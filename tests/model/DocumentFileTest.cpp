#include "model/DocumentFile.h"
#include "model/AtomicFile.h"
#include "support/DataFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

using namespace glossivo;
using glossivo::testing::DataFolder;

namespace {
mode_t modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(path.toLocal8Bit().constData(), &info) == 0 ? info.st_mode & 0777 : 0;
}
} // namespace

TEST(DocumentFileTest, replacesContentForItsOwnerAlone)
{
    DataFolder folder;
    DocumentFile file(folder.path(QStringLiteral("words.json")));
    EXPECT_EQ(file.read(), std::nullopt);
    EXPECT_FALSE(file.isDamaged()); // missing is not damaged

    ASSERT_TRUE(file.write("[1]"));
    ASSERT_TRUE(QFile::setPermissions(folder.path(QStringLiteral("words.json")),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadGroup));
    ASSERT_TRUE(file.write("[2]"));
    EXPECT_EQ(file.read(), QByteArray("[2]"));
    EXPECT_EQ(modeOf(folder.path(QStringLiteral("words.json"))), 0600u);
    EXPECT_EQ(folder.files(), QStringList{QStringLiteral("words.json")});
}

TEST(DocumentFileTest, theDocumentAndItsDamagedCopyAreForTheOwnerAloneWhateverTheMask)
{
    DataFolder folder;
    folder.write(QStringLiteral("config.json"), "{broken");
    ::chmod(folder.path(QStringLiteral("config.json")).toLocal8Bit().constData(), 0644);
    const mode_t oldMask = ::umask(0);
    DocumentFile file(folder.path(QStringLiteral("config.json")));
    file.read();
    file.markDamaged();
    const bool written = file.write("{}");
    ::umask(oldMask);
    ASSERT_TRUE(written);
    for (const QString& name : folder.files())
        EXPECT_EQ(modeOf(folder.path(name)), 0600u) << name.toStdString();
    EXPECT_EQ(folder.files().size(), 2);
}

TEST(DocumentFileTest, damagedContentIsCopiedAsideOnceBeforeTheFirstWrite)
{
    DataFolder folder;
    folder.write(QStringLiteral("notes.json"), "[{broken");
    DocumentFile file(folder.path(QStringLiteral("notes.json")));
    ASSERT_EQ(file.read(), QByteArray("[{broken"));
    file.markDamaged();

    ASSERT_TRUE(file.write("[]"));
    ASSERT_TRUE(file.write("[1]"));
    const QStringList files = folder.files();
    ASSERT_EQ(files.size(), 2);
    EXPECT_TRUE(files[1].startsWith(QStringLiteral("notes.json.unreadable-")));
    EXPECT_EQ(folder.read(files[1]), QByteArray("[{broken"));
    EXPECT_EQ(folder.read(QStringLiteral("notes.json")), QByteArray("[1]"));
}

TEST(DocumentFileTest, somethingUnreadableIsNeverOverwritten)
{
    // A folder where the document should be cannot be read, nor copied aside.
    DataFolder folder;
    ASSERT_TRUE(QDir(folder.path(QString())).mkdir(QStringLiteral("words.json")));
    folder.write(QStringLiteral("words.json/kept"), "[precious]");
    DocumentFile file(folder.path(QStringLiteral("words.json")));
    EXPECT_EQ(file.read(), std::nullopt);
    EXPECT_TRUE(file.isDamaged());
    EXPECT_FALSE(file.write("[]"));
    EXPECT_TRUE(QFile::exists(folder.path(QStringLiteral("words.json/kept"))));
}

TEST(DocumentFileTest, aFailedWriteLeavesTheDocumentAsItWas)
{
    DataFolder folder;
    DocumentFile file(folder.path(QStringLiteral("missing-folder/words.json")));
    EXPECT_FALSE(file.write("[]"));
    EXPECT_TRUE(folder.files().isEmpty());
}

// A kill between the temporary file's creation and its rename leaves it behind, under exactly
// the name the atomic write gives it; nothing else that merely looks alike is touched.
TEST(DocumentFileTest, readingRemovesTheTemporaryFilesOfInterruptedWrites)
{
    DataFolder folder;
    folder.write(QStringLiteral("words.json"), "[]");
    const QStringList leftovers{QStringLiteral("words.json.tmp-aB3xQ9"),
                                QStringLiteral("words.json.tmp-000000")};
    const QStringList kept{QStringLiteral("words.json.unreadable-20261209T080000Z"),
                           QStringLiteral("words.json.backup"),
                           QStringLiteral("words.json.tmp-aB3xQ"),
                           QStringLiteral("words.json.tmp-aB3xQ99"),
                           QStringLiteral("words.json.tmp-aB3-Q9"),
                           QStringLiteral("notes.json.tmp-aB3xQ9"),
                           QStringLiteral("xwords.json.tmp-aB3xQ9"),
                           QStringLiteral("words.jsonXtmp-aB3xQ9")};
    for (const QString& name : leftovers + kept)
        folder.write(name, "{");
    ASSERT_TRUE(QDir(folder.path(QString())).mkdir(QStringLiteral("words.json.tmp-dirAB")));
    // A write under way, maybe in another copy of the program, holds its file, however long it
    // has been quiet.
    const QString underWay = QStringLiteral("words.json.tmp-w0rk1n");
    folder.write(underWay, "[");
    QFile held(folder.path(underWay));
    ASSERT_TRUE(held.open(QIODevice::ReadWrite) && ::flock(held.handle(), LOCK_EX) == 0);
    ASSERT_TRUE(held.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-2 * 3600),
                                 QFileDevice::FileModificationTime));

    DocumentFile file(folder.path(QStringLiteral("words.json")));
    EXPECT_EQ(file.read(), QByteArray("[]"));
    QStringList expected = kept + QStringList{QStringLiteral("words.json"), underWay};
    expected.sort();
    EXPECT_EQ(folder.files(), expected);
    EXPECT_TRUE(QFileInfo(folder.path(QStringLiteral("words.json.tmp-dirAB"))).isDir());
}

TEST(DocumentFileTest, aFailedWriteSaysWhy)
{
    DataFolder folder;
    ASSERT_TRUE(QDir(folder.path(QString())).mkdir(QStringLiteral("words.json")));
    DocumentFile file(folder.path(QStringLiteral("words.json")));
    EXPECT_FALSE(file.write("[]"));
    EXPECT_FALSE(file.lastError().isEmpty());
}

// The word book's texts are checked after a load only when another program may have changed
// them; a change of the time alone counts, as does one in place that keeps the file.
TEST(DocumentFileTest, knowsWhetherTheDocumentIsAsItsOwnWriteLeftIt)
{
    DataFolder folder;
    const QString path = folder.path(QStringLiteral("words.json"));
    DocumentFile file(path);
    ASSERT_TRUE(file.write("[1]"));
    ASSERT_TRUE(file.read());
    EXPECT_TRUE(file.isAsWritten());

    QFile touched(path);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-60),
                                    QFileDevice::FileModificationTime));
    touched.close();
    ASSERT_TRUE(file.read());
    EXPECT_FALSE(file.isAsWritten());

    ASSERT_TRUE(file.write("[2]"));
    folder.write(QStringLiteral("words.json"), "[3, 4]");
    ASSERT_TRUE(file.read());
    EXPECT_FALSE(file.isAsWritten());
}

// A lock that cannot be had, or a new file lost before its lock every time, neither keeps the
// write going nor leaves a file behind.
TEST(DocumentFileTest, aWriteWhoseLockFailsEndsAndLeavesNoFile)
{
    static int calls = 0;
    const std::pair<int (*)(int, int), bool> cases[] = {
        // No locks on this file system; the fourth try locks, so that a write trying again ends.
        {[](int fd, int how) { return ++calls <= 3 ? (errno = ENOLCK, -1) : ::flock(fd, how); },
         true},
        // Another start takes each new file for a leftover, up to the hundredth.
        {[](int fd, int how) {
             const QString name = QFile::symLinkTarget("/proc/self/fd/" + QString::number(fd));
             if (++calls <= 100) QFile::remove(name);
             return ::flock(fd, how);
         },
         false},
        // Only the first: the next new file is written.
        {[](int fd, int how) {
             const QString name = QFile::symLinkTarget("/proc/self/fd/" + QString::number(fd));
             if (++calls == 1) QFile::remove(name);
             return ::flock(fd, how);
         },
         true}};
    for (const auto& [lock, written] : cases) {
        DataFolder folder;
        DocumentFile file(folder.path(QStringLiteral("words.json")));
        ASSERT_TRUE(file.write("[1]"));
        calls = 0;
        AtomicFile::setLockCall(lock);
        EXPECT_EQ(file.write("[2]"), written);
        AtomicFile::setLockCall(nullptr);
        EXPECT_EQ(folder.files(), QStringList{QStringLiteral("words.json")});
        EXPECT_EQ(folder.read(QStringLiteral("words.json")), written ? "[2]" : "[1]");
    }
}

// Where no lock can be taken, a leftover goes when its writer is known to have ended: a process
// of this machine that no longer runs, or, for another machine's or an older version's file, an
// hour without a change. A file whose writer still runs stays.
TEST(DocumentFileTest, withoutLocksALeftoverGoesOnlyWhenItsWriterHasEnded)
{
    DataFolder folder;
    folder.write(QStringLiteral("words.json"), "[]");
    // The machine's part of the name, as a write gives it.
    static QString written;
    AtomicFile::setLockCall([](int fd, int how) {
        written = QFile::symLinkTarget("/proc/self/fd/" + QString::number(fd));
        return ::flock(fd, how);
    });
    DocumentFile(folder.path(QStringLiteral("probe"))).write("x");
    AtomicFile::setLockCall(nullptr);
    const QString host =
        written.section(QStringLiteral(".tmp-"), 1).section(QLatin1Char('-'), 0, 0);
    ASSERT_FALSE(host.isEmpty());
    pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    const QString prefix = QStringLiteral("words.json.tmp-");
    const QString gone = prefix + host + QStringLiteral("-%1-aB3xQ9").arg(ended);
    const QString oldElsewhere = prefix + QStringLiteral("elsewhere-%1-aB3xQ9").arg(ended);
    const QString running = prefix + host + QStringLiteral("-%1-aB3xQ9").arg(::getpid());
    const QString recentElsewhere = prefix + QStringLiteral("elsewhere-1-aB3xQ9");
    const QString recentOlder = prefix + QStringLiteral("aB3xQ9");
    // The process that ended here is not the one of that number elsewhere.
    const QString endedElsewhere = prefix + QStringLiteral("elsewhere-%1-cD4yR0").arg(ended);
    for (const QString& name :
         {gone, oldElsewhere, running, recentElsewhere, recentOlder, endedElsewhere})
        folder.write(name, "[");
    QFile old(folder.path(oldElsewhere));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-2 * 3600),
                                QFileDevice::FileModificationTime));
    old.close();

    AtomicFile::setLockCall([](int, int) { return errno = ENOLCK, -1; });
    DocumentFile(folder.path(QStringLiteral("words.json"))).removeLeftovers();
    AtomicFile::setLockCall(nullptr);
    QStringList expected{QStringLiteral("probe"),
                         QStringLiteral("words.json"),
                         running,
                         recentElsewhere,
                         recentOlder,
                         endedElsewhere};
    expected.sort();
    EXPECT_EQ(folder.files(), expected);
}

// A run whose file turns out shorter than the run, copied through the buffer where the kernel
// cannot copy, fails the write rather than waiting for bytes that never come.
TEST(DocumentFileTest, aRunLongerThanItsFileFailsTheWrite)
{
    DataFolder folder;
    folder.write(QStringLiteral("source"), "[1, 2]");
    QFile source(folder.path(QStringLiteral("source")));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    AtomicFile::setCopyCall(
        [](int, off_t*, int, off_t*, size_t, unsigned) -> ssize_t { return errno = EXDEV, -1; });
    const bool written = DocumentFile(folder.path(QStringLiteral("words.json")))
                             .write({AtomicFile::Piece(source.handle(), 0, 100)});
    AtomicFile::setCopyCall(nullptr);
    EXPECT_FALSE(written);
    EXPECT_EQ(folder.files(), QStringList{QStringLiteral("source")});
}

// A file system with nothing to flush for a folder (EINVAL) has the new document once it is
// renamed; any other failure of a flush fails the write and says why in words a user reads.
TEST(DocumentFileTest, aFolderWithNothingToFlushHasTheDocumentWrittenAnyOtherFailureNot)
{
    static int refusal;
    static bool ofFolder;
    AtomicFile::setSyncCall([](int fd) {
        struct stat info {};
        ::fstat(fd, &info);
        return S_ISDIR(info.st_mode) == ofFolder ? (errno = refusal, -1) : ::fsync(fd);
    });
    const struct {
        bool folder;
        int error;
        QString said;
    } cases[] = {{true, EINVAL, {}},
                 {true, EIO, QStringLiteral("磁盘读写出错")},
                 {false, ENOSPC, QStringLiteral("磁盘满了")}};
    for (const auto& [folderFails, error, said] : cases) {
        DataFolder folder;
        folder.write(QStringLiteral("words.json"), "[1]");
        DocumentFile file(folder.path(QStringLiteral("words.json")));
        ofFolder = folderFails;
        refusal = error;
        EXPECT_EQ(file.write("[2]"), said.isEmpty()) << error;
        EXPECT_EQ(file.lastError(), said) << error;
        EXPECT_EQ(folder.read(QStringLiteral("words.json")), folderFails ? "[2]" : "[1]");
        EXPECT_EQ(folder.files(), QStringList{QStringLiteral("words.json")});
    }
    AtomicFile::setSyncCall(nullptr);
}
