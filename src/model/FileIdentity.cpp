#include "model/FileIdentity.h"

#include <cerrno>

namespace glossivo {

namespace {

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

FileIdentity::FileIdentity(const struct stat& info)
    : m_state(State::known), m_device(info.st_dev), m_inode(info.st_ino), m_size(info.st_size),
      m_modified(info.st_mtim), m_changed(info.st_ctim)
{}

FileIdentity FileIdentity::of(int fd)
{
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) return FileIdentity(State::unknown);
    return FileIdentity(info);
}

FileIdentity FileIdentity::at(const QByteArray& path)
{
    struct stat info {};
    if (::stat(path.constData(), &info) == 0) return FileIdentity(info);
    return errno == ENOENT ? FileIdentity() : FileIdentity(State::unknown);
}

bool FileIdentity::operator==(const FileIdentity& other) const
{
    if (m_state == State::unknown || other.m_state == State::unknown) return false;
    if (m_state != other.m_state) return false;
    return m_state == State::missing ||
           (m_device == other.m_device && m_inode == other.m_inode && m_size == other.m_size &&
            sameTime(m_modified, other.m_modified) && sameTime(m_changed, other.m_changed));
}

bool FileIdentity::keepsTextOf(const FileIdentity& other) const
{
    return m_state == State::known && other.m_state == State::known && m_device == other.m_device &&
           m_inode == other.m_inode && m_size == other.m_size &&
           sameTime(m_modified, other.m_modified);
}

} // namespace glossivo
