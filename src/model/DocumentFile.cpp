#include "model/DocumentFile.h"

#include "model/AtomicFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace glossivo {

DocumentFile::DocumentFile(QString path, std::optional<mode_t> mode)
    : m_path(std::move(path)), m_mode(mode)
{}

std::optional<QByteArray> DocumentFile::read()
{
    removeLeftovers();
    QFile file(m_path);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        m_damaged = true;
        return std::nullopt;
    }
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
    return bytes;
}

bool DocumentFile::keepDamagedCopy()
{
    if (!QFileInfo::exists(m_path)) return true;
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    const QString base = m_path + QStringLiteral(".unreadable-") + stamp;
    for (int attempt = 1; attempt < 100; ++attempt) {
        const QString copy =
            attempt == 1 ? base : base + QLatin1Char('-') + QString::number(attempt);
        if (QFileInfo::exists(copy)) continue;
        return QFile::copy(m_path, copy);
    }
    return false;
}

bool DocumentFile::write(const QByteArray& bytes)
{
    return write(QByteArrayList{bytes});
}

bool DocumentFile::write(const QByteArrayList& pieces)
{
    if (m_damaged) {
        if (!keepDamagedCopy()) {
            m_error = QStringLiteral("the unreadable file cannot be copied aside");
            return false;
        }
        m_damaged = false;
    }
    const bool written =
        m_mode ? AtomicFile::write(m_path, pieces, *m_mode) : AtomicFile::write(m_path, pieces);
    if (!written) m_error = qt_error_string(errno);
    return written;
}

void DocumentFile::removeLeftovers()
{
    AtomicFile::removeLeftovers(m_path);
}

} // namespace glossivo
