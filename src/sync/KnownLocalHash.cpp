#include "sync/KnownLocalHash.h"

#include <QCryptographicHash>

namespace glossivo {

KnownLocalHash::LogMark KnownLocalHash::markOf(const QStringList& log)
{
    QCryptographicHash digest(QCryptographicHash::Sha256);
    for (const QString& line : log) {
        const QByteArray bytes = line.toUtf8();
        // Line breaks cannot stand inside a line, so lines split differently digest differently.
        digest.addData(bytes);
        digest.addData(QByteArrayView("\n"));
    }
    return {log.size(), digest.result()};
}

std::optional<QString> KnownLocalHash::of(const SyncBundle& snapshot) const
{
    if (!m_snapshot || snapshot.log.size() != m_log.lines) return std::nullopt;
    // Lists that share their data compare equal at once; any other is compared in full. The
    // log, not kept, is compared by its mark. The copy shares every list with the snapshot.
    SyncBundle withoutLog = snapshot;
    withoutLog.log = QStringList();
    if (!(withoutLog == *m_snapshot) || !(markOf(snapshot.log) == m_log)) return std::nullopt;
    return m_hash;
}

void KnownLocalHash::remember(SyncBundle snapshot, QString hash)
{
    m_log = markOf(snapshot.log);
    snapshot.log = QStringList();
    m_snapshot = std::move(snapshot);
    m_hash = std::move(hash);
}

void KnownLocalHash::forget()
{
    m_snapshot.reset();
    m_log = {};
    m_hash.clear();
}

} // namespace glossivo
