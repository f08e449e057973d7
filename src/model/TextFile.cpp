#include "model/TextFile.h"

#include <unistd.h>
#include <utility>

namespace glossivo {

namespace {

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

TextFile::TextFile(int fd) : m_fd(fd)
{
    if (m_fd >= 0 && ::fstat(m_fd, &m_taken) == 0) {
        m_size = qint64(m_taken.st_size);
    } else if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

TextFile TextFile::written(int fd, qint64 size)
{
    TextFile file(fd);
    if (!file.isOpen() || file.m_size != size) return {};
    return file;
}

TextFile::TextFile(TextFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_taken(other.m_taken), m_size(other.m_size)
{}

TextFile& TextFile::operator=(TextFile&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_taken = other.m_taken;
        m_size = other.m_size;
    }
    return *this;
}

TextFile::~TextFile()
{
    if (m_fd >= 0) ::close(m_fd);
}

bool TextFile::isUnchanged() const
{
    struct stat now {};
    return ::fstat(m_fd, &now) == 0 && now.st_dev == m_taken.st_dev &&
           now.st_ino == m_taken.st_ino && now.st_size == m_taken.st_size &&
           sameTime(now.st_mtim, m_taken.st_mtim) && sameTime(now.st_ctim, m_taken.st_ctim);
}

} // namespace glossivo
