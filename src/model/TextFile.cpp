#include "model/TextFile.h"

#include <cerrno>
#include <unistd.h>
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

std::optional<QByteArray> TextFile::read() const
{
    const auto keepsText = [this] { return FileIdentity::of(m_fd.get()).keepsTextOf(m_taken); };
    if (!isOpen() || !keepsText()) return std::nullopt;
    QByteArray text(size(), Qt::Uninitialized);
    qint64 done = 0;
    while (done < text.size()) {
        const ssize_t got =
            ::pread(m_fd.get(), text.data() + done, size_t(text.size() - done), done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::nullopt;
        done += got;
    }
    // A change while it was read would mix two texts.
    if (!keepsText()) return std::nullopt;
    return text;
}

} // namespace glossivo
