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
    // version learnt for one account says nothing about another on the same server.
    QString code;

    // What a device knows of a server it has not synced with.
    static SyncState fresh(const SyncLink& link);
    static QString codeOf(const SyncLink& link);

    // None when the file is missing or unreadable; no file of this kind is worth keeping aside,
    // since the next pass rebuilds it.
    static std::optional<SyncState> read(const QString& path);
    // The state for the link: what the file holds when it was written for this very sync code,
    // else the fresh state.
    static SyncState readFor(const QString& path, const SyncLink& link);
    // Replaces the file atomically; false when it could not be written.
    bool write(const QString& path) const;
};

} // namespace glossivo
