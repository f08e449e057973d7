#pragma once

#include <QString>

#include <ctime>

namespace glossivo {

// A file whose text a cache refers to instead of keeping it in memory. It is held open, so a
// file that a later write replaced by rename keeps its text, and it is checked before each use
// to be unchanged since it was taken.
class TextFile {
public:
    TextFile() = default;
    // Takes the open descriptor; its size and modification time now are what reads expect.
    explicit TextFile(int fd);
    // The file at the path, when it is exactly as a write of this program left it, with that
    // many bytes; else a file that is not open.
    static TextFile openWritten(const QString& path, qint64 size);
    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&& other) noexcept;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    ~TextFile();

    bool isOpen() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }
    qint64 size() const { return m_size; }
    // Whether the file is as it was when it was taken (as far as its size and modification time
    // tell); one another program changed must not lend its text.
    bool isUnchanged() const;

private:
    int m_fd = -1;
    qint64 m_size = 0;
    timespec m_modified{};
};

} // namespace glossivo
