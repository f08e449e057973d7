#pragma once

#include "model/FileDescriptor.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <sys/types.h>

namespace glossivo::AtomicFile {

// Writes the bytes to a new file beside the target, flushes it to disk and renames it over the
// target, so that a reader sees either the old or the new content, never a torn one. The new
// file is for its owner alone (0600) from its first byte, whatever the file it replaces allowed:
// documents hold the learner's reading and keys. It is marked as written here (see
// isAsWritten). Returns false, and leaves the target untouched, on any failure, with errno
// telling why.
bool write(const QString& path, const QByteArray& bytes);
// A piece of a text to write: bytes, or a run of another open file's text, which the kernel
// copies from file to file without its passing through this program's memory.
struct Piece {
    Piece(QByteArray text = {}) : bytes(std::move(text)) {}
    Piece(int file, qint64 at, qint64 size) : source(file), offset(at), length(size) {}
    qint64 size() const { return source < 0 ? bytes.size() : length; }

    QByteArray bytes;
    int source = -1; // the file of a run, open until the write ends
    qint64 offset = 0;
    qint64 length = 0;
};
// Asked once the new file's text is on disk, before it replaces the target: false when a file
// its runs were copied from changed meanwhile, so that the text may be torn. The write then
// fails with ESTALE and leaves the target as it was.
using Check = std::function<bool()>;
// The same for text in pieces, written one after the other without joining them first. With
// `kept`, the written file stays open for the caller: it is the file that took the target's
// name, whatever another writer renamed there since. None when the write failed before the
// rename; one that took the name but whose folder could not be flushed fails with it.
bool write(const QString& path, const QList<Piece>& pieces, const Check& sourcesUnchanged = {},
           FileDescriptor* kept = nullptr);
// The pieces' text in one buffer, with the runs read from their files; none when one cannot be
// read whole.
std::optional<QByteArray> join(const QList<Piece>& pieces);

// Flushes the file to disk (fsync), through the call tests may replace.
bool sync(int fd);
// Flushes the folder that holds the path, so that a name made or renamed in it outlives a
// power cut; true also where the file system has nothing to flush for a folder.
bool syncFolder(const QString& path);
// flock(), through the call tests may replace.
int lock(int fd, int operation);

// The lock (flock's) that a write holds on its new file while it lasts, that the removal of
// leftovers tries and that lock() takes; tests put in one that fails. None puts flock back.
void setLockCall(int (*lock)(int fd, int operation));
// The same for fsync, of files and of folders.
void setSyncCall(int (*sync)(int fd));
// The same for the kernel's copy of a run (copy_file_range), which may fail as where it cannot
// copy between the two files.
void setCopyCall(ssize_t (*copy)(int, off_t*, int, off_t*, size_t, unsigned));

// Whether the open file is exactly as a write() of this program left it: no other program
// changed it since (as far as its size and modification time tell).
bool isAsWritten(int fd);

// Removes the new files that writes to this path left behind when they were killed before the
// rename: exactly the names write() gives them (the path, ".tmp-", the writer's tag and process
// id, each followed by "-", and six letters or digits; older versions wrote the machine's name
// for the tag, or only the path, ".tmp-" and the six). The tag stands for the machine, its boot
// and the process-ID namespace, where the process id means what it means here. A write still
// under way, in this process or another, keeps its file: its lock tells, or, where the file
// system cannot lock, its process still running (a file of another tag's, or an older
// version's, is left for an hour after its last change).
void removeLeftovers(const QString& path);
// The same for every document of the folder.
void removeLeftoversIn(const QString& folder);

} // namespace glossivo::AtomicFile
