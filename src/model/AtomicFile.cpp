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
#include <sys/file.h>
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

// Past this much written, the disk is asked to start on it, so that it works while the rest is
// still being copied and the fsync at the end waits only for the last part.
constexpr off_t kWritebackStep = off_t(4) << 20;

// The new file's text so far, and how much of it the disk was asked to start on.
struct Output {
    int fd;
    off_t done = 0;
    off_t handedToDisk = 0;

    void advance(ssize_t written)
    {
        done += written;
        if (done - handedToDisk >= kWritebackStep) {
            // Only a hint: the fsync that follows is what makes the text durable.
            ::sync_file_range(fd, handedToDisk, done - handedToDisk, SYNC_FILE_RANGE_WRITE);
            handedToDisk = done;
        }
    }
};

bool writeBytes(Output& output, std::vector<iovec>& left)
{
    size_t next = 0;
    while (next < left.size()) {
        // Few enough pieces at a time that each call writes about one step.
        size_t count = 0, bytes = 0;
        while (next + count < left.size() && count < IOV_MAX && off_t(bytes) < kWritebackStep)
            bytes += left[next + count++].iov_len;
        ssize_t written = ::writev(output.fd, left.data() + next, int(count));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        output.advance(written);
        // Past the pieces written whole, then into the one cut short.
        while (next < left.size() && size_t(written) >= left[next].iov_len)
            written -= ssize_t(left[next++].iov_len);
        if (next < left.size()) {
            left[next].iov_base = static_cast<char*>(left[next].iov_base) + written;
            left[next].iov_len -= size_t(written);
        }
    }
    left.clear();
    return true;
}

// Exactly that many bytes of the file from the offset: a file cut short fails.
bool readAt(int source, off_t offset, char* into, size_t length)
{
    while (length > 0) {
        const ssize_t got = ::pread(source, into, length, offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            if (got == 0) errno = EIO;
            return false;
        }
        into += got;
        offset += got;
        length -= size_t(got);
    }
    return true;
}

bool copyThroughBuffer(Output& output, int source, off_t from, off_t end)
{
    QByteArray buffer;
    while (from < end) {
        buffer.resize(qsizetype(std::min(end - from, kWritebackStep)));
        if (!readAt(source, from, buffer.data(), size_t(buffer.size()))) return false;
        std::vector<iovec> left{{buffer.data(), size_t(buffer.size())}};
        if (!writeBytes(output, left)) return false;
        from += buffer.size();
    }
    return true;
}

ssize_t (*copyCall)(int, off_t*, int, off_t*, size_t, unsigned) = ::copy_file_range;

// Inside the kernel, file to file, where it can; else (an older kernel, file systems it cannot
// copy between: ENOSYS, EXDEV, EINVAL, EOPNOTSUPP…) through a buffer.
bool copyRun(Output& output, const Piece& run)
{
    off_t from = off_t(run.offset);
    const off_t end = from + off_t(run.length);
    while (from < end) {
        const ssize_t copied = copyCall(run.source, &from, output.fd, nullptr,
                                        size_t(std::min(end - from, kWritebackStep)), 0);
        if (copied > 0)
            output.advance(copied);
        else if (copied == 0 || errno != EINTR) // a run cut short fails in the buffer's read
            return copyThroughBuffer(output, run.source, from, end);
    }
    return true;
}

bool writeAll(int fd, const QList<Piece>& pieces)
{
    Output output{fd};
    std::vector<iovec> bytes;
    bytes.reserve(size_t(pieces.size()));
    for (const Piece& piece : pieces) {
        if (piece.source >= 0) {
            if (!writeBytes(output, bytes) || !copyRun(output, piece)) return false;
        } else if (!piece.bytes.isEmpty()) {
            bytes.push_back(
                {const_cast<char*>(piece.bytes.constData()), size_t(piece.bytes.size())});
        }
    }
    return writeBytes(output, bytes);
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

int (*lockCall)(int, int) = ::flock;

// A start takes a new file for a leftover only in the instant before its lock, so a few tries
// are plenty; more would mean something removes every file made here.
constexpr int kTemporaryTries = 8;

// A new file beside the target, open and locked for as long as this write lasts: a start that
// clears away the files of writes cut short passes a locked one by. None when it cannot be made.
std::optional<int> lockedTemporary(QByteArray& temporary)
{
    const QByteArray pattern = temporary;
    for (int tries = 0; tries < kTemporaryTries; ++tries) {
        temporary = pattern;
        // mkostemp creates the file readable by its owner alone, so nothing is ever readable by
        // others.
        const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0) return std::nullopt;
        // Where the file system cannot lock (NFS without its lock daemon), the clearing of
        // leftovers cannot lock either and passes the file by: the write goes on unlocked.
        if (lockCall(fd, LOCK_EX) != 0) return fd;
        // A file lost all the same fails the rename at the end.
        struct stat info {};
        if (::fstat(fd, &info) != 0 || info.st_nlink > 0) return fd;
        ::close(fd); // taken for a leftover in the instant before the lock
    }
    errno = EBUSY;
    return std::nullopt;
}

bool writePieces(const QString& path, const QList<Piece>& pieces)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary = target + kTemporaryMark + "XXXXXX";
    const std::optional<int> fd = lockedTemporary(temporary);
    if (!fd) return false;
    const bool ok = ::fchmod(*fd, 0600) == 0 && writeAll(*fd, pieces) && ::fsync(*fd) == 0;
    if (ok) markWritten(*fd);
    // The rename comes before the close, which ends the lock.
    const bool renamed = ok && ::rename(temporary.constData(), target.constData()) == 0;
    const int error = errno;
    if (!renamed) ::unlink(temporary.constData());
    if (::close(*fd) != 0 && renamed) return false;
    errno = error;
    return renamed;
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
    return writePieces(path, {Piece(bytes)});
}

bool write(const QString& path, const QList<Piece>& pieces)
{
    return writePieces(path, pieces);
}

std::optional<QByteArray> join(const QList<Piece>& pieces)
{
    QByteArray text;
    for (const Piece& piece : pieces) {
        if (piece.source < 0) {
            text += piece.bytes;
            continue;
        }
        const qsizetype start = text.size();
        text.resize(start + piece.length);
        if (!readAt(piece.source, off_t(piece.offset), text.data() + start, size_t(piece.length)))
            return std::nullopt;
    }
    return text;
}

void setCopyCall(ssize_t (*copy)(int, off_t*, int, off_t*, size_t, unsigned))
{
    copyCall = copy ? copy : ::copy_file_range;
}

void setLockCall(int (*lock)(int fd, int operation))
{
    lockCall = lock ? lock : ::flock;
}

bool isAsWritten(int fd)
{
    const std::optional<QByteArray> now = stamp(fd);
    char mark[64];
    const ssize_t size = ::fgetxattr(fd, kWrittenAttribute, mark, sizeof mark);
    return now && size > 0 && QByteArray(mark, size) == *now;
}

namespace {

// Unless a write that is still under way holds it.
void removeUnlocked(const QDir& folder, const QString& name)
{
    const QByteArray path = QFile::encodeName(folder.filePath(name));
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0 && lockCall(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    ::unlink(path.constData());
    if (fd >= 0) ::close(fd);
}

void removeMatching(const QDir& folder, const QString& documentName)
{
    const QStringList candidates =
        folder.entryList({(documentName.isEmpty() ? QStringLiteral("*") : documentName) +
                          QLatin1StringView(kTemporaryMark) + QLatin1Char('*')},
                         QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& candidate : candidates) {
        const qsizetype mark = candidate.size() - qsizetype(sizeof kTemporaryMark - 1) - 6;
        const bool named = documentName.isEmpty()
                               ? mark > 0
                               : candidate.startsWith(documentName) && mark == documentName.size();
        if (named && isLeftoverSuffix(QStringView(candidate).mid(mark)))
            removeUnlocked(folder, candidate);
    }
}

} // namespace

void removeLeftovers(const QString& path)
{
    const QFileInfo target(path);
    removeMatching(target.dir(), target.fileName());
}

void removeLeftoversIn(const QString& folder)
{
    removeMatching(QDir(folder), QString());
}

} // namespace glossivo::AtomicFile
