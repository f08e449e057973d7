#pragma once

#include <QString>

#include <sys/stat.h>

namespace glossivo {

// A file whose text a cache refers to instead of keeping it in memory. It is held open, so a
// file that a later write replaced by rename keeps its text, and it is checked before each use
// to be unchanged since it was taken.
class TextFile {
public:
    TextFile() = default;
    // Takes the open descriptor; the file as it stands now is what reads expect.
    explicit TextFile(int fd);
    // Takes the descriptor of a file this program has just written, when it holds that many
    // bytes; else a file that is not open.
    static TextFile written(int fd, qint64 size);
    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&& other) noexcept;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    ~TextFile();

    bool isOpen() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }
    qint64 size() const { return m_size; }
    // Whether the file is as it was when it was taken; one another program changed must not lend
    // its text. Besides the size and the modification time, which a rewrite in place can leave
    // as they were (a restore that sets the time back), the change time tells: nothing but the
    // system clock sets it back.
    bool isUnchanged() const;

private:
    int m_fd = -1;
    struct stat m_taken {};
    qint64 m_size = 0;
};

} // namespace glossivo
