#include "model/TextFile.h"

#include "model/AtomicFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
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

bool TextFile::isUnchanged() const
{
    struct stat info {};
    return ::fstat(m_fd, &info) == 0 && qint64(info.st_size) == m_size &&
           info.st_mtim.tv_sec == m_modified.tv_sec && info.st_mtim.tv_nsec == m_modified.tv_nsec;
}

} // namespace glossivo
