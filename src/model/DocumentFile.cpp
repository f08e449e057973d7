#include "model/DocumentFile.h"

#include "model/AtomicFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace glossivo {

DocumentFile::DocumentFile(QString path, std::optional<mode_t> mode)
    : m_path(std::move(path)), m_mode(mode)
{}

std::optional<QByteArray> DocumentFile::read()
{
    QFile file(m_path);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        m_damaged = true;
        return std::nullopt;
    }
    return file.readAll();
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
    if (m_damaged) {
        if (!keepDamagedCopy()) return false;
        m_damaged = false;
    }
    return m_mode ? AtomicFile::write(m_path, bytes, *m_mode) : AtomicFile::write(m_path, bytes);
}

} // namespace glossivo
