#include "sync/KnownLocalHash.h"

namespace glossivo {

std::optional<QString> KnownLocalHash::of(const SyncBundle& snapshot) const
{
    // Lists that share their data compare equal at once; any other is compared in full.
    if (!m_snapshot || !(*m_snapshot == snapshot)) return std::nullopt;
    return m_hash;
}

void KnownLocalHash::remember(SyncBundle snapshot, QString hash)
{
    m_snapshot = std::move(snapshot);
    m_hash = std::move(hash);
}

void KnownLocalHash::forget()
{
    m_snapshot.reset();
    m_hash.clear();
}

} // namespace glossivo
