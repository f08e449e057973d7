#pragma once

#include <QByteArray>
#include <QString>

#include <ctime>
#include <optional>

namespace glossivo {

// A file's text mapped into memory rather than copied: its pages are the system's file cache, so
// reading a large file back costs neither a copy nor memory of our own. Valid while it lives.
class MappedText {
public:
    MappedText(const char* address, qint64 size) : m_address(address), m_size(size) {}
    MappedText(MappedText&& other) noexcept;
    MappedText& operator=(MappedText&& other) noexcept;
    MappedText(const MappedText&) = delete;
    MappedText& operator=(const MappedText&) = delete;
    ~MappedText();

    // The text without a copy; it must not outlive this object.
    QByteArray bytes() const { return QByteArray::fromRawData(m_address, m_size); }

private:
    const char* m_address = nullptr;
    qint64 m_size = 0;
};

// A file whose text a cache refers to instead of keeping it in memory. It is held open, so a
// file that a later write replaced by rename keeps its text, and it is checked before every read
// to be unchanged since it was taken: a file another program changed in place reads as none.
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
    qint64 size() const { return m_size; }
    // The whole text; none when the file changed since it was taken or cannot be read. Another
    // program that cut the file short while the text is mapped would fault its reader; files
    // taken here are this program's own writes, replaced only by rename.
    std::optional<MappedText> map() const;

private:
    bool unchanged() const;

    int m_fd = -1;
    qint64 m_size = 0;
    timespec m_modified{};
};

} // namespace glossivo
