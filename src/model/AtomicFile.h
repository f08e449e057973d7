#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <sys/types.h>

namespace glossivo::AtomicFile {

// Writes the bytes to a new file beside the target, flushes it to disk and renames it over the
// target, so that a reader sees either the old or the new content, never a torn one. The new
// file is marked as written here (see isAsWritten). With an
// explicit mode the new file has exactly that mode from its first byte; without one it keeps
// the mode of the file it replaces (or the usual default for a new file). Returns false, and
// leaves the target untouched, on any failure, with errno telling why.
bool write(const QString& path, const QByteArray& bytes);
bool write(const QString& path, const QByteArray& bytes, mode_t mode);
// The same for text in pieces, written one after the other without joining them first.
bool write(const QString& path, const QByteArrayList& pieces);
bool write(const QString& path, const QByteArrayList& pieces, mode_t mode);

// Whether the open file is exactly as a write() of this program left it: no other program
// changed it since (as far as its size and modification time tell).
bool isAsWritten(int fd);

// Removes the new files that writes to this path left behind when they were killed before the
// rename: exactly the names write() gives them (the path, ".tmp-" and six letters or digits).
void removeLeftovers(const QString& path);

} // namespace glossivo::AtomicFile
