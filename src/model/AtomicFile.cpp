#include "model/AtomicFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <csignal>
#include <ctime>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <mutex>
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
// The six characters that mkostemp makes.
constexpr qsizetype kUniqueLength = 6;
// The writer's tag in names this version gives, and the longest that a name may hold: older
// versions wrote up to 24 letters and digits of the machine's name there.
constexpr qsizetype kWriterTagLength = 16;
constexpr qsizetype kLongestWriterTag = 24;

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

// Where this process's ID means what it means here: the machine (its name and this boot of it)
// and the process-ID namespace, which a container or a sandbox on the same machine does not
// share. Kept short, in letters and digits, for a file name. None when the system does not tell.
std::optional<QByteArray> readWriterTag()
{
    char host[256] = {};
    struct stat space {};
    QFile boot(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    if (::gethostname(host, sizeof host - 1) != 0 || ::stat("/proc/self/ns/pid", &space) != 0 ||
        !boot.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bootId = boot.readAll().trimmed();
    if (bootId.isEmpty()) return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QByteArray& part : {QByteArray(host), bootId, QByteArray::number(space.st_dev),
                                   QByteArray::number(space.st_ino)})
        hash.addData(part + '\0');
    return hash.result().toHex().left(kWriterTagLength);
}

// Read once per process: every write names its file with it. A child that a fork made may run in
// another namespace, so it reads its own.
std::optional<QByteArray> writerTag()
{
    static std::mutex guard;
    static pid_t readBy = 0;
    static std::optional<QByteArray> tag;
    const std::lock_guard lock(guard);
    if (readBy != ::getpid()) {
        tag = readWriterTag();
        readBy = ::getpid();
    }
    return tag;
}

// The new file's name: the target's, the mark, then the writer's tag and process ID, so that
// where no lock can be taken a later start still tells whose leftover it is. A writer that cannot
// tell where it runs takes a tag no other takes for its own, so that its files go by their age.
QByteArray temporaryPattern(const QByteArray& target)
{
    const QByteArray tag =
        writerTag().value_or(QByteArray::number(QRandomGenerator::system()->generate64(), 16)
                                 .rightJustified(kWriterTagLength, '0'));
    return target + kTemporaryMark + tag + '-' + QByteArray::number(::getpid()) + "-XXXXXX";
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
    // A file that took the name stands there, flushed or not: the caller must not take the
    // file it finds there later for another writer's.
    if (renamed && kept) {
        *kept = std::move(fd);
        errno = error;
        return durable;
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

// Whose write a leftover was, as its name tells: the writer's tag and process, or neither for
// the names of older versions ("words.json.tmp-aB3xQ9").
struct Writer {
    QString tag;
    pid_t process = 0;
};

// Plain digits that make a process ID: no sign, no blank, no leading zero, nothing past pid_t.
std::optional<pid_t> processIdOf(QStringView digits)
{
    if (digits.isEmpty() || digits.front() == u'0') return std::nullopt;
    pid_t id = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        const int digit = c.unicode() - u'0';
        if (id > (std::numeric_limits<pid_t>::max() - digit) / 10) return std::nullopt;
        id = id * 10 + digit;
    }
    return id;
}

// The writer of the file whose name goes on with this after the document's name; none when it
// is not the name of a write's new file: "<tag>-<process>-" before the six characters, or, as
// older versions wrote, the six alone.
std::optional<Writer> writerOf(QStringView suffix)
{
    const QLatin1StringView mark(kTemporaryMark);
    if (!suffix.startsWith(mark)) return std::nullopt;
    const QList<QStringView> parts = suffix.mid(mark.size()).split(u'-');
    const QStringView unique = parts.back();
    if (unique.size() != kUniqueLength || !isAlphanumeric(unique)) return std::nullopt;
    if (parts.size() == 1) return Writer{};
    if (parts.size() != 3) return std::nullopt;
    const QStringView tag = parts[0];
    const std::optional<pid_t> process = processIdOf(parts[1]);
    if (tag.isEmpty() || tag.size() > kLongestWriterTag || !isAlphanumeric(tag) || !process)
        return std::nullopt;
    return Writer{tag.toString(), *process};
}

// Where no lock tells whether a write still holds its file: one whose tag is this process's own
// (the same machine, boot and process-ID namespace) cannot once its process has ended; any other
// (another machine's or namespace's, an older version's) is taken for ended once it has not grown
// for an hour, far longer than any write takes between two of its steps.
bool isOrphan(int fd, const Writer& writer, const std::optional<QString>& ownTag)
{
    if (writer.process > 0 && ownTag && writer.tag == *ownTag)
        return ::kill(writer.process, 0) != 0 && errno == ESRCH;
    constexpr time_t kQuietSeconds = 3600;
    struct stat info {};
    return ::fstat(fd, &info) == 0 && ::time(nullptr) - info.st_mtim.tv_sec > kQuietSeconds;
}

// Unless a write that is still under way holds it.
void removeUnlessUnderWay(const QDir& folder, const QString& name, const Writer& writer,
                          const std::optional<QString>& ownTag)
{
    const QByteArray path = QFile::encodeName(folder.filePath(name));
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0 && lockCall(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK || errno == EINTR;
        if (held || !isOrphan(fd, writer, ownTag)) {
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
    if (candidates.isEmpty()) return;
    const std::optional<QByteArray> tag = writerTag();
    const std::optional<QString> ownTag =
        tag ? std::optional(QString::fromLatin1(*tag)) : std::nullopt;
    for (const QString& candidate : candidates)
        if (const auto writer = leftoverWriter(candidate, documentName))
            removeUnlessUnderWay(folder, candidate, *writer, ownTag);
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
