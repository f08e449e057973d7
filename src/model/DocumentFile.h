#pragma once

#include "model/AtomicFile.h"
#include "model/FileIdentity.h"
#include "model/TextFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace glossivo {

// One document of the data folder. It reads the file, remembers when its content could not be
// used, and replaces it atomically. A document that could not be read or decoded is copied aside
// ("words.json.unreadable-20261209T080000Z") before the first write replaces it, so a damaged
// file never costs the user what it held; if that copy cannot be made, the document is not
// overwritten. The document and its copy are readable by the owner alone.
class DocumentFile {
public:
    explicit DocumentFile(QString path);

    const QString& path() const { return m_path; }

    // The file's bytes; none when it is missing or cannot be read (the latter counts as damage).
    // With `kept`, also the file that was read, held open for a cache that reads it again later.
    std::optional<QByteArray> read(TextFile* kept = nullptr);
    // What read() gave is exactly what a write of this program left (see AtomicFile).
    bool isAsWritten() const { return m_asWritten; }
    // The caller could not decode what read() gave.
    void markDamaged() { m_damaged = true; }
    bool isDamaged() const { return m_damaged; }

    // Copies a damaged document aside now rather than before the first write, so that the user
    // can be told at start where its content is; a copy of the same content that an earlier
    // start made is named again rather than made twice. The copy's path; none for a document
    // that is not damaged or could not be copied (the first write then tries again).
    std::optional<QString> keepAside();

    // False, with lastError() saying why (in Chinese where the user can do something about it),
    // when the document could not be replaced.
    bool write(const QByteArray& bytes);
    // The same for text in pieces, written one after the other; see AtomicFile::write for the
    // check of the files its runs come from and for the written file kept open.
    bool write(const QList<AtomicFile::Piece>& pieces,
               const AtomicFile::Check& sourcesUnchanged = {}, FileDescriptor* kept = nullptr);
    const QString& lastError() const { return m_error; }
    // Whether the last write's file took the document's name, even where the write failed
    // after (its folder not flushed): what the path holds is then what that write wrote.
    bool tookName() const { return m_tookName; }

    // Whether the file at the path is no longer the one this object last read or wrote: another
    // process replaced it, removed it, made it or changed it in place. False before the first
    // read or write.
    bool isChangedOnDisk() const;
    // The bytes of the file as this object last read or wrote it, read again from that very
    // file, which is held open (a replacing rename leaves it whole): empty when no file stood
    // there; none before the first read or write, or when it was changed in place since.
    std::optional<QByteArray> lastKnown() const;

    // Removes the temporary files that writes interrupted by a kill left beside the document.
    void removeLeftovers();

private:
    std::optional<QString> keepDamagedCopy();

    QString m_path;
    // What the file at the path was when it was last read or written here.
    std::optional<FileIdentity> m_known;
    TextFile m_knownFile; // open, where a file stood there
    bool m_damaged = false;
    bool m_asWritten = false;
    bool m_tookName = false;
    QString m_error;
};

} // namespace glossivo
