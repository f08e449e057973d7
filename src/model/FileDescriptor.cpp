#include "model/FileDescriptor.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace glossivo {

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
{}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

FileDescriptor::~FileDescriptor()
{
    const int error = errno;
    close();
    errno = error;
}

bool FileDescriptor::close()
{
    // Linux frees the descriptor even when close fails, so it is never closed twice.
    return !isOpen() || ::close(std::exchange(m_fd, -1)) == 0;
}

} // namespace glossivo
