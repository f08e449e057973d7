#include "model/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace glossivo::AtomicFile {

namespace {

// Between the target's name and the six characters that make the name unique. Distinct enough
// that no file a person keeps beside a document ("words.json.backup") is ever taken for one.
constexpr char kTemporaryMark[] = ".tmp-";

mode_t defaultMode(const QByteArray& target)
{
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Past this much written, the disk is asked to start on it, so that it works while the rest is
// still being copied and the fsync at the end waits only for the last part.
constexpr off_t kWritebackStep = off_t(4) << 20;

bool writeAll(int fd, const QByteArrayList& pieces)
{
    std::vector<iovec> left;
    left.reserve(size_t(pieces.size()));
    for (const QByteArray& piece : pieces)
        if (!piece.isEmpty())
            left.push_back({const_cast<char*>(piece.constData()), size_t(piece.size())});
    size_t next = 0;
    off_t done = 0, handedToDisk = 0;
    while (next < left.size()) {
        // Few enough pieces at a time that each call writes about one step.
        size_t count = 0, bytes = 0;
        while (next + count < left.size() && count < IOV_MAX && off_t(bytes) < kWritebackStep)
            bytes += left[next + count++].iov_len;
        ssize_t written = ::writev(fd, left.data() + next, int(count));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += written;
        if (done - handedToDisk >= kWritebackStep) {
            // Only a hint: the fsync that follows is what makes the text durable.
            ::sync_file_range(fd, handedToDisk, done - handedToDisk, SYNC_FILE_RANGE_WRITE);
            handedToDisk = done;
        }
        // Past the pieces written whole, then into the one cut short.
        while (next < left.size() && size_t(written) >= left[next].iov_len)
            written -= ssize_t(left[next++].iov_len);
        if (next < left.size()) {
            left[next].iov_base = static_cast<char*>(left[next].iov_base) + written;
            left[next].iov_len -= size_t(written);
        }
    }
    return true;
}

// Marks the file as this program left it: its size and modification time, which any later
// change by another program moves. Setting an attribute does not move them.
constexpr char kWrittenAttribute[] = "user.glossivo.written";

std::optional<QByteArray> stamp(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0) return std::nullopt;
    return QByteArray::number(qint64(info.st_size)) + ' ' +
           QByteArray::number(qint64(info.st_mtim.tv_sec)) + ' ' +
           QByteArray::number(qint64(info.st_mtim.tv_nsec));
}

void markWritten(int fd)
{
    // A file system without user attributes only costs the next load its check.
    if (const auto mark = stamp(fd))
        ::fsetxattr(fd, kWrittenAttribute, mark->constData(), size_t(mark->size()), 0);
}

bool writeWithMode(const QString& path, const QByteArrayList& pieces, std::optional<mode_t> mode)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary = target + kTemporaryMark + "XXXXXX";
    // mkostemp creates the file with mode 0600, so nothing is ever readable by others before
    // the final mode is applied.
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fchmod(fd, mode ? *mode : defaultMode(target)) == 0 && writeAll(fd, pieces) &&
                    ::fsync(fd) == 0;
    if (ok) markWritten(fd);
    if (::close(fd) != 0 || !ok || ::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        errno = error;
        return false;
    }
    return true;
}

bool isLeftoverSuffix(QStringView suffix)
{
    // mkostemp replaces its six X with these characters.
    const QLatin1StringView mark(kTemporaryMark);
    return suffix.size() == mark.size() + 6 && suffix.startsWith(mark) &&
           std::all_of(suffix.begin() + mark.size(), suffix.end(), [](QChar c) {
               return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                      (c >= u'0' && c <= u'9');
           });
}

} // namespace

bool write(const QString& path, const QByteArray& bytes)
{
    return writeWithMode(path, QByteArrayList{bytes}, std::nullopt);
}

bool write(const QString& path, const QByteArray& bytes, mode_t mode)
{
    return writeWithMode(path, QByteArrayList{bytes}, mode);
}

bool write(const QString& path, const QByteArrayList& pieces)
{
    return writeWithMode(path, pieces, std::nullopt);
}

bool write(const QString& path, const QByteArrayList& pieces, mode_t mode)
{
    return writeWithMode(path, pieces, mode);
}

bool isAsWritten(int fd)
{
    const std::optional<QByteArray> now = stamp(fd);
    char mark[64];
    const ssize_t size = ::fgetxattr(fd, kWrittenAttribute, mark, sizeof mark);
    return now && size > 0 && QByteArray(mark, size) == *now;
}

void removeLeftovers(const QString& path)
{
    const QFileInfo target(path);
    const QString name = target.fileName();
    QDir folder = target.dir();
    const QStringList candidates =
        folder.entryList({name + QLatin1StringView(kTemporaryMark) + QLatin1Char('*')},
                         QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& candidate : candidates)
        if (candidate.startsWith(name) && isLeftoverSuffix(QStringView(candidate).mid(name.size())))
            folder.remove(candidate);
}

} // namespace glossivo::AtomicFile
