#pragma once

#include "model/FileDescriptor.h"
#include "model/FileIdentity.h"

#include <QByteArray>
#include <QtGlobal>

#include <optional>

namespace glossivo {

// A file whose text a cache refers to instead of keeping it in memory. It is held open, so a
// file that a later write replaced by rename keeps its text, and it is checked before each use
// to be unchanged since it was taken.
class TextFile {
public:
    TextFile() = default;
    // Takes the open file; the file as it stands now is what reads expect.
    explicit TextFile(FileDescriptor fd);
    // Takes a file this program has just written, when it holds that many bytes; else a file
    // that is not open.
    static TextFile written(FileDescriptor fd, qint64 size);

    bool isOpen() const { return m_fd.isOpen(); }
    int descriptor() const { return m_fd.get(); }
    qint64 size() const { return m_taken.size(); }
    // Whether the file is as it was when it was taken; one another program changed must not lend
    // its text.
    bool isUnchanged() const { return FileIdentity::of(m_fd.get()) == m_taken; }
    // The whole text; none when it changed since the file was taken or cannot be read. A file
    // that a rename replaced at its path keeps its text.
    std::optional<QByteArray> read() const;

private:
    FileDescriptor m_fd;
    FileIdentity m_taken;
};

} // namespace glossivo
