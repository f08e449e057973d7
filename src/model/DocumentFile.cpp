#include "model/DocumentFile.h"

#include "model/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glossivo {

DocumentFile::DocumentFile(QString path) : m_path(std::move(path)) {}

std::optional<QByteArray> DocumentFile::read(TextFile* kept)
{
    removeLeftovers();
    m_asWritten = false;
    QFile file(m_path);
    if (!file.exists()) {
        remember({});
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_damaged = true;
        return std::nullopt;
    }
    // Taken before the text, so that a change made while it is read counts as a later one.
    remember(identityOf(file.handle()));
    if (kept) *kept = TextFile(::fcntl(file.handle(), F_DUPFD_CLOEXEC, 0));
    // Room to spare after the text lets a JSON parser that reads ahead in wide blocks work on
    // the buffer itself rather than on a copy of tens of megabytes.
    constexpr qsizetype kSpare = 64;
    QByteArray bytes;
    bytes.reserve(file.size() + kSpare);
    bytes.resize(file.size());
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 got = file.read(bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            m_damaged = true;
            return std::nullopt;
        }
        if (got == 0) break; // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    m_asWritten = AtomicFile::isAsWritten(file.handle());
    return bytes;
}

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadUser | QFileDevice::WriteUser;

// An earlier start may have set the same damaged content aside already.
std::optional<QString> existingCopy(const QString& path, const QByteArray& content)
{
    const QFileInfo document(path);
    const QStringList names = document.dir().entryList(
        {document.fileName() + QStringLiteral(".unreadable-*")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        QFile copy(document.dir().filePath(name));
        if (copy.size() == content.size() && copy.open(QIODevice::ReadOnly) &&
            copy.readAll() == content)
            return copy.fileName();
    }
    return std::nullopt;
}

// The copy gets its mode before the first byte of content, so a secret never stands readable.
bool writeCopy(const QString& copyPath, const QByteArray& content)
{
    QFile copy(copyPath);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    const bool written =
        copy.setPermissions(kOwnerOnly) && copy.write(content) == content.size() && copy.flush();
    if (!written) copy.remove();
    return written;
}

} // namespace

std::optional<QString> DocumentFile::keepDamagedCopy()
{
    QFile original(m_path);
    if (!original.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray content = original.readAll();
    if (original.error() != QFileDevice::NoError) return std::nullopt;
    if (auto copy = existingCopy(m_path, content)) {
        // A copy an older version made may still be readable by others.
        QFile::setPermissions(*copy, kOwnerOnly);
        return copy;
    }

    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    const QString base = m_path + QStringLiteral(".unreadable-") + stamp;
    for (int attempt = 1; attempt < 100; ++attempt) {
        const QString copy =
            attempt == 1 ? base : base + QLatin1Char('-') + QString::number(attempt);
        if (QFileInfo::exists(copy)) continue;
        if (writeCopy(copy, content)) return copy;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<QString> DocumentFile::keepAside()
{
    if (!m_damaged || !QFileInfo::exists(m_path)) return std::nullopt;
    auto copy = keepDamagedCopy();
    if (copy) m_damaged = false;
    return copy;
}

bool DocumentFile::write(const QByteArray& bytes)
{
    return write(QList<AtomicFile::Piece>{bytes});
}

bool DocumentFile::write(const QList<AtomicFile::Piece>& pieces,
                         const AtomicFile::Check& sourcesUnchanged, int* kept)
{
    if (kept) *kept = -1;
    if (m_damaged) {
        if (QFileInfo::exists(m_path) && !keepDamagedCopy()) {
            m_error = QStringLiteral("the unreadable file cannot be copied aside");
            return false;
        }
        m_damaged = false;
    }
    int written = -1;
    if (!AtomicFile::write(m_path, pieces, sourcesUnchanged, &written)) {
        m_error = qt_error_string(errno);
        return false;
    }
    remember(identityOf(written));
    if (kept)
        *kept = written;
    else
        ::close(written);
    return true;
}

bool DocumentFile::Identity::operator==(const Identity& other) const
{
    const auto same = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && same(modified, other.modified) && same(changed, other.changed);
}

DocumentFile::Identity DocumentFile::identityOf(int fd)
{
    struct stat info {};
    // A file that cannot even be looked at is taken for another one each time: read again.
    if (fd < 0 || ::fstat(fd, &info) != 0) return {true, 0, 0, -1, {}, {}};
    return {true, info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

bool DocumentFile::isChangedOnDisk() const
{
    if (!m_known) return false;
    struct stat info {};
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0)
        return errno != ENOENT || m_known->exists;
    return !(Identity{true, info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim} ==
             *m_known);
}

void DocumentFile::removeLeftovers()
{
    AtomicFile::removeLeftovers(m_path);
}

} // namespace glossivo
