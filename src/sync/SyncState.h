#pragma once

#include "sync/SyncLink.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace glossivo {

// What this device last agreed with its sync server ("sync-state.json"): the server's bundle
// version and the hash of the bundle both sides then held.
struct SyncState {
    QString server;
    qint64 version = 0; // 0: none known; -1 after a refused upload, so the next download is full
    QString hash;       // empty: none
    std::optional<QDateTime> lastSyncAt;
    // Which sync code the state belongs to (SHA-256 of the code, never the token itself): a
    // version learnt for one account says nothing about another on the same server. Only
    // memory holds it as it is: the file holds it keyed with a secret of this device
    // ("sync-state.key" beside it, made at the first write), so that nobody who reads the file
    // can use it to test guesses of the code.
    QString code;

    // What a device knows of a server it has not synced with.
    static SyncState fresh(const SyncLink& link);
    static QString codeOf(const SyncLink& link);

    // None when the file is missing or unreadable; no file of this kind is worth keeping aside,
    // since the next pass rebuilds it. The code is left empty: the file cannot give it back.
    static std::optional<SyncState> read(const QString& path);
    // The state for the link: what the file holds when it was written for this very sync code,
    // else the fresh state. A file whose code cannot be checked (an older version's, or one
    // whose key is gone) counts as written for another code.
    static SyncState readFor(const QString& path, const SyncLink& link);
    // Replaces the file atomically; false when it, or the key it needs, could not be written.
    bool write(const QString& path) const;
};

} // namespace glossivo
