#pragma once

#include "sync/SyncBundle.h"

#include <QString>

#include <optional>

namespace glossivo {

// The hash of the last word book a pass encoded, with the word book it came from. A pass that
// finds the server unchanged needs only the local document's hash; at rest the word book is
// unchanged too, and comparing it with the one kept here costs nothing (its lists are the word
// book's own, shared until either changes), where encoding it would read every word again.
class KnownLocalHash {
public:
    // The hash of `snapshot` when it is the word book remembered.
    std::optional<QString> of(const SyncBundle& snapshot) const;
    void remember(SyncBundle snapshot, QString hash);
    // Keeps no word book: one about to be replaced would only hold its old words in memory.
    void forget();

private:
    std::optional<SyncBundle> m_snapshot;
    QString m_hash;
};

} // namespace glossivo
