#include "model/TextFile.h"

#include <utility>

namespace glossivo {

TextFile::TextFile(FileDescriptor fd) : m_fd(std::move(fd)), m_taken(FileIdentity::of(m_fd.get()))
{
    // A file that cannot be looked at cannot be checked before a use.
    if (!m_taken.isKnown()) {
        m_fd = FileDescriptor();
        m_taken = FileIdentity();
    }
}

TextFile TextFile::written(FileDescriptor fd, qint64 size)
{
    TextFile file(std::move(fd));
    if (!file.isOpen() || file.size() != size) return {};
    return file;
}

} // namespace glossivo
