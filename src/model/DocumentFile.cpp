#include "model/DocumentFile.h"

#include "model/AtomicFile.h"
#include "model/FileError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>

namespace glossivo {

DocumentFile::DocumentFile(QString path) : m_path(std::move(path)) {}

std::optional<QByteArray> DocumentFile::read(TextFile* kept)
{
    removeLeftovers();
    m_asWritten = false;
    QFile file(m_path);
    m_knownFile = TextFile();
    if (!file.exists()) {
        m_known = FileIdentity();
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_damaged = true;
        return std::nullopt;
    }
    // Taken before the text, so that a change made while it is read counts as a later one.
    m_known = FileIdentity::of(file.handle());
    m_knownFile = TextFile(FileDescriptor(::fcntl(file.handle(), F_DUPFD_CLOEXEC, 0)));
    if (kept) *kept = TextFile(FileDescriptor(::fcntl(file.handle(), F_DUPFD_CLOEXEC, 0)));
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
                         const AtomicFile::Check& sourcesUnchanged, FileDescriptor* kept)
{
    if (kept) *kept = FileDescriptor();
    m_tookName = false;
    if (m_damaged) {
        if (QFileInfo::exists(m_path) && !keepDamagedCopy()) {
            m_error = QStringLiteral("读不了的原文件没能先另存一份，不覆盖它");
            return false;
        }
        m_damaged = false;
    }
    FileDescriptor written;
    const bool durable = AtomicFile::write(m_path, pieces, sourcesUnchanged, &written);
    const int error = errno;
    // A file that took the name without its folder flushed is still ours, not another
    // process's change to be taken in.
    m_tookName = written.isOpen();
    if (m_tookName) {
        m_known = FileIdentity::of(written.get());
        m_knownFile = TextFile(FileDescriptor(::fcntl(written.get(), F_DUPFD_CLOEXEC, 0)));
    }
    if (!durable) {
        m_error = FileError::reason(error);
        return false;
    }
    if (kept) *kept = std::move(written);
    return true;
}

std::optional<QByteArray> DocumentFile::lastKnown() const
{
    if (!m_known) return std::nullopt;
    if (*m_known == FileIdentity()) return QByteArray();
    return m_knownFile.read();
}

bool DocumentFile::isChangedOnDisk() const
{
    return m_known && FileIdentity::at(QFile::encodeName(m_path)) != *m_known;
}

void DocumentFile::removeLeftovers()
{
    AtomicFile::removeLeftovers(m_path);
}

} // namespace glossivo
