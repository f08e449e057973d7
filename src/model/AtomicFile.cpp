#include "model/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <ctime>

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
constexpr qsizetype kHostTagLength = 24;

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
int (*syncCall)(int) = ::fsync;

// The folder's entry of a file renamed or made in it reaches the disk only with the folder. A
// file system that keeps nothing to flush for a folder refuses with EINVAL: the entry is then as
// durable as it gets, and the change counts as written, as databases take it.
bool syncFolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : path.left(slash);
    FileDescriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.isOpen() && (syncCall(fd.get()) == 0 || errno == EINVAL);
}

// This machine's name as it may stand in a file name: letters and digits only.
QByteArray hostTag()
{
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    QByteArray tag;
    for (const char* c = name; *c && tag.size() < kHostTagLength; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c))) tag += *c;
    return tag.isEmpty() ? QByteArray("host") : tag;
}

// The new file's name: the target's, the mark, then the machine and the process that write it,
// so that where no lock can be taken a later start still tells whose leftover it is.
QByteArray temporaryPattern(const QByteArray& target)
{
    static const QByteArray host = hostTag();
    return target + kTemporaryMark + host + '-' + QByteArray::number(::getpid()) + "-XXXXXX";
}

// A start takes a new file for a leftover only in the instant before its lock, so a few tries
// are plenty; more would mean something removes every file made here.
constexpr int kTemporaryTries = 8;

// A new file beside the target, open and locked for as long as this write lasts: a start that
// clears away the files of writes cut short passes a locked one by. None when it cannot be made.
FileDescriptor lockedTemporary(QByteArray& temporary)
{
    const QByteArray pattern = temporary;
    for (int tries = 0; tries < kTemporaryTries; ++tries) {
        temporary = pattern;
        // mkostemp creates the file readable by its owner alone, so nothing is ever readable by
        // others.
        FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
        if (!fd.isOpen()) return fd;
        // Where the file system cannot lock (NFS without its lock daemon), the clearing of
        // leftovers cannot lock either and passes the file by: the write goes on unlocked.
        if (lockCall(fd.get(), LOCK_EX) != 0) return fd;
        // A file lost all the same fails the rename at the end.
        struct stat info {};
        if (::fstat(fd.get(), &info) != 0 || info.st_nlink > 0) return fd;
        // Taken for a leftover in the instant before the lock: another try.
    }
    errno = EBUSY;
    return {};
}

bool writePieces(const QString& path, const QList<Piece>& pieces, const Check& sourcesUnchanged,
                 FileDescriptor* kept)
{
    if (kept) *kept = FileDescriptor();
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary = temporaryPattern(target);
    FileDescriptor fd = lockedTemporary(temporary);
    if (!fd.isOpen()) return false;
    bool ok =
        ::fchmod(fd.get(), 0600) == 0 && writeAll(fd.get(), pieces) && syncCall(fd.get()) == 0;
    // A run copied from a file that changed meanwhile holds some of the old text, some new.
    if (ok && sourcesUnchanged && !sourcesUnchanged()) {
        ok = false;
        errno = ESTALE;
    }
    if (ok) markWritten(fd.get());
    // The rename comes before the close, which ends the lock. The change counts as written
    // only once the folder that names the new file is on disk too.
    const bool renamed = ok && ::rename(temporary.constData(), target.constData()) == 0;
    const bool durable = renamed && syncFolderOf(target);
    const int error = errno;
    if (!renamed) ::unlink(temporary.constData());
    if (durable && kept) {
        *kept = std::move(fd);
        return true;
    }
    if (!fd.close() && durable) return false;
    errno = error;
    return durable;
}

// mkostemp replaces its six X with these characters.
bool isAlphanumeric(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    });
}

} // namespace

bool write(const QString& path, const QByteArray& bytes)
{
    return writePieces(path, {Piece(bytes)}, {}, nullptr);
}

bool write(const QString& path, const QList<Piece>& pieces, const Check& sourcesUnchanged,
           FileDescriptor* kept)
{
    return writePieces(path, pieces, sourcesUnchanged, kept);
}

bool sync(int fd)
{
    return syncCall(fd) == 0;
}

bool syncFolder(const QString& path)
{
    return syncFolderOf(QFile::encodeName(path));
}

int lock(int fd, int operation)
{
    return lockCall(fd, operation);
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

void setSyncCall(int (*sync)(int fd))
{
    syncCall = sync ? sync : ::fsync;
}

bool isAsWritten(int fd)
{
    const std::optional<QByteArray> now = stamp(fd);
    char mark[64];
    const ssize_t size = ::fgetxattr(fd, kWrittenAttribute, mark, sizeof mark);
    return now && size > 0 && QByteArray(mark, size) == *now;
}

namespace {

// Whose write a leftover was, as its name tells: the machine and the process, or neither for
// the names of older versions ("words.json.tmp-aB3xQ9").
struct Writer {
    QString host;
    qint64 process = -1;
};

// The writer of the file whose name goes on with this after the document's name; none when it
// is not the name of a write's new file.
std::optional<Writer> writerOf(QStringView suffix)
{
    const QLatin1StringView mark(kTemporaryMark);
    if (!suffix.startsWith(mark) || suffix.size() < mark.size() + 6) return std::nullopt;
    const QStringView unique = suffix.right(6);
    if (!isAlphanumeric(unique)) return std::nullopt;
    if (suffix.size() == mark.size() + 6) return Writer{};
    // "<host>-<process>-" before the six characters
    const QStringView owner = suffix.mid(mark.size()).chopped(6);
    const qsizetype dash = owner.indexOf(u'-');
    if (!owner.endsWith(u'-') || dash <= 0 || dash > kHostTagLength) return std::nullopt;
    const QStringView host = owner.left(dash);
    const QStringView process = owner.mid(dash + 1).chopped(1);
    bool number = false;
    const qint64 id = process.toLongLong(&number);
    if (!isAlphanumeric(host) || !number || id <= 0 || process.startsWith(u'+'))
        return std::nullopt;
    return Writer{host.toString(), id};
}

// Where no lock tells whether a write still holds its file: one by a process of this machine
// that has ended cannot; one of another machine, or of an older version, is taken for ended
// once it has not grown for an hour, far longer than any write takes between two of its steps.
bool isOrphan(int fd, const Writer& writer)
{
    static const QString here = QString::fromLatin1(hostTag());
    if (writer.process > 0 && writer.host == here)
        return ::kill(pid_t(writer.process), 0) != 0 && errno == ESRCH;
    constexpr time_t kQuietSeconds = 3600;
    struct stat info {};
    return ::fstat(fd, &info) == 0 && ::time(nullptr) - info.st_mtim.tv_sec > kQuietSeconds;
}

// Unless a write that is still under way holds it.
void removeUnlessUnderWay(const QDir& folder, const QString& name, const Writer& writer)
{
    const QByteArray path = QFile::encodeName(folder.filePath(name));
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0 && lockCall(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK || errno == EINTR;
        if (held || !isOrphan(fd, writer)) {
            ::close(fd);
            return;
        }
    }
    ::unlink(path.constData());
    if (fd >= 0) ::close(fd);
}

// The writer of the file when it is the new file of a write to the document, or of any document
// when none is named.
std::optional<Writer> leftoverWriter(const QString& candidate, const QString& documentName)
{
    if (!documentName.isEmpty())
        return candidate.startsWith(documentName)
                   ? writerOf(QStringView(candidate).mid(documentName.size()))
                   : std::nullopt;
    const QLatin1StringView mark(kTemporaryMark);
    for (qsizetype at = candidate.indexOf(mark, 1); at > 0; at = candidate.indexOf(mark, at + 1))
        if (const auto writer = writerOf(QStringView(candidate).mid(at))) return writer;
    return std::nullopt;
}

void removeMatching(const QDir& folder, const QString& documentName)
{
    const QStringList candidates =
        folder.entryList({(documentName.isEmpty() ? QStringLiteral("*") : documentName) +
                          QLatin1StringView(kTemporaryMark) + QLatin1Char('*')},
                         QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& candidate : candidates)
        if (const auto writer = leftoverWriter(candidate, documentName))
            removeUnlessUnderWay(folder, candidate, *writer);
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
