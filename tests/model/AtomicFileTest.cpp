#include "model/AtomicFile.h"
#include "support/DataFolder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

using namespace glossivo;
using glossivo::testing::DataFolder;

namespace {

// The name a write to the path gives its new file, seen while the file exists.
QString temporaryNameOfAWrite(const QString& path)
{
    static QString seen;
    seen.clear();
    AtomicFile::setLockCall([](int fd, int how) {
        seen =
            QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd))).fileName();
        return ::flock(fd, how);
    });
    AtomicFile::write(path, "x");
    AtomicFile::setLockCall(nullptr);
    return seen;
}

QString writerTagOf(const QString& name)
{
    return name.section(QStringLiteral(".tmp-"), 1).section(QLatin1Char('-'), 0, 0);
}

pid_t endedProcess()
{
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    return ended;
}

void makeQuietForTwoHours(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-2 * 3600),
                                 QFileDevice::FileModificationTime));
}

void removeLeftoversWithoutLocks(const QString& path)
{
    AtomicFile::setLockCall([](int, int) { return errno = ENOLCK, -1; });
    AtomicFile::removeLeftovers(path);
    AtomicFile::setLockCall(nullptr);
}

} // namespace

// Where no lock can be taken, the name alone tells a later start that this process still writes
// the file, however long it has been quiet.
TEST(AtomicFileTest, aWriteNamesItsFileAfterThisProcessWhichKeepsItWhileItRuns)
{
    DataFolder folder;
    static QString target, temporary;
    target = folder.path(QStringLiteral("words.json"));
    AtomicFile::setSyncCall([](int fd) {
        const QString path = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd));
        if (path.contains(QStringLiteral(".tmp-"))) {
            temporary = QFileInfo(path).fileName();
            makeQuietForTwoHours(path);
            removeLeftoversWithoutLocks(target);
        }
        return ::fsync(fd);
    });
    const bool written = AtomicFile::write(target, "[1]");
    AtomicFile::setSyncCall(nullptr);
    EXPECT_TRUE(written);
    EXPECT_TRUE(QRegularExpression(
                    QStringLiteral(R"(^words\.json\.tmp-[0-9a-z]+-%1-\w{6}$)").arg(::getpid()))
                    .match(temporary)
                    .hasMatch())
        << temporary.toStdString();
}

// Only a name exactly as a write gives it is a leftover: a process ID with a sign, a blank, a
// letter, a leading zero or past pid_t, a part missing or one too many, is someone else's file.
// An older version's, with up to 24 letters and digits of the machine's name for the tag, is one.
TEST(AtomicFileTest, aNameThatIsNotExactlyAWritesStays)
{
    DataFolder folder;
    const QString tag = writerTagOf(temporaryNameOfAWrite(folder.path(QStringLiteral("probe"))));
    ASSERT_FALSE(tag.isEmpty());
    const qint64 ended = endedProcess();
    const auto named = [&](const QString& process, const QString& unique = "aB3xQ9") {
        return QStringLiteral("words.json.tmp-%1-%2-%3").arg(tag, process, unique);
    };
    const QString leftover = named(QString::number(ended));
    const QStringList names{
        named(" " + QString::number(ended)),
        named("+" + QString::number(ended)),
        named("0" + QString::number(ended)),
        named(QString::number(ended) + "a"),
        named(QString::number(ended + (qint64(1) << 32))),
        named("9223372036854775807"),
        named(QString()),
        named(QString::number(ended), "x-aB3xQ9"),
        named(QString::number(ended), "aB3xQ"),
        QStringLiteral("words.json.tmp--%1-aB3xQ9").arg(ended),
        QStringLiteral("words.json.tmp-%1-%2-aB3xQ9").arg(QString(25, 'a')).arg(ended),
        QStringLiteral("words.json.tmp-a-abcdef")};
    const QString older =
        QStringLiteral("words.json.tmp-OldMachineName0123456789-%1-aB3xQ9").arg(ended);
    for (const QString& name : names + QStringList{leftover, older})
        folder.write(name, "[");
    makeQuietForTwoHours(folder.path(older));
    removeLeftoversWithoutLocks(folder.path(QStringLiteral("words.json")));
    for (const QString& name : names)
        EXPECT_TRUE(folder.exists(name)) << name.toStdString();
    EXPECT_FALSE(folder.exists(leftover));
    EXPECT_FALSE(folder.exists(older));
}

// A sandbox or a container on this machine has process IDs of its own: its writer's file is
// taken for ended only by its age, not because a process of that number has ended here. The
// sandbox is a child of a process that has written before, so it must not keep that one's tag.
TEST(AtomicFileTest, aLeftoverOfAnotherProcessIdNamespaceGoesOnlyByItsAge)
{
    DataFolder folder;
    ASSERT_FALSE(temporaryNameOfAWrite(folder.path(QStringLiteral("probe"))).isEmpty());
    const QString ended = QString::number(endedProcess());
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWPID) != 0) ::_exit(2);
        const pid_t inside = ::fork();
        if (inside == 0) {
            const QString name =
                QStringLiteral("words.json.tmp-%1-%2-")
                    .arg(writerTagOf(temporaryNameOfAWrite(folder.path(QStringLiteral("probe")))),
                         ended);
            folder.write(name + "recent", "[");
            folder.write(name + "silent", "[");
            makeQuietForTwoHours(folder.path(name + "silent"));
            ::_exit(0);
        }
        int status = 1;
        ::waitpid(inside, &status, 0);
        ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
    }
    int status = 1;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "no user namespaces";
    ASSERT_EQ(folder.files().filter(QStringLiteral(".tmp-")).size(), 2);
    removeLeftoversWithoutLocks(folder.path(QStringLiteral("words.json")));
    const QStringList left = folder.files().filter(QStringLiteral(".tmp-"));
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(left[0].endsWith(QStringLiteral("-recent"))) << left[0].toStdString();
}
