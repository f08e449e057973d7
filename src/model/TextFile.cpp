#include "model/TextFile.h"

#include "model/AtomicFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace glossivo {

TextFile::TextFile(int fd) : m_fd(fd)
{
    struct stat info {};
    if (m_fd >= 0 && ::fstat(m_fd, &info) == 0) {
        m_size = qint64(info.st_size);
        m_modified = info.st_mtim;
    } else if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

TextFile TextFile::openWritten(const QString& path, qint64 size)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    TextFile file(fd);
    if (!file.isOpen() || file.m_size != size || !AtomicFile::isAsWritten(fd)) return {};
    return file;
}

TextFile::TextFile(TextFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size), m_modified(other.m_modified)
{}

TextFile& TextFile::operator=(TextFile&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
        m_modified = other.m_modified;
    }
    return *this;
}

TextFile::~TextFile()
{
    if (m_fd >= 0) ::close(m_fd);
}

bool TextFile::unchanged() const
{
    struct stat info {};
    return ::fstat(m_fd, &info) == 0 && qint64(info.st_size) == m_size &&
           info.st_mtim.tv_sec == m_modified.tv_sec && info.st_mtim.tv_nsec == m_modified.tv_nsec;
}

std::optional<MappedText> TextFile::map() const
{
    if (m_fd < 0 || m_size <= 0 || !unchanged()) return std::nullopt;
    void* address = ::mmap(nullptr, size_t(m_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, m_fd, 0);
    if (address == MAP_FAILED) return std::nullopt;
    MappedText text(static_cast<const char*>(address), m_size);
    // A change since the file was taken would have moved its size or modification time.
    if (!unchanged()) return std::nullopt;
    return text;
}

MappedText::MappedText(MappedText&& other) noexcept
    : m_address(std::exchange(other.m_address, nullptr)), m_size(std::exchange(other.m_size, 0))
{}

MappedText& MappedText::operator=(MappedText&& other) noexcept
{
    if (this != &other) {
        if (m_address) ::munmap(const_cast<char*>(m_address), size_t(m_size));
        m_address = std::exchange(other.m_address, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

MappedText::~MappedText()
{
    if (m_address) ::munmap(const_cast<char*>(m_address), size_t(m_size));
}

} // namespace glossivo
