#pragma once

#include "sync/SyncBundle.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace glossivo {

// The hash of the last word book a pass encoded, with the word book it came from. A pass that
// finds the server unchanged needs only the local document's hash; at rest the word book is
// unchanged too, and comparing it with the one kept here costs nothing (its lists are the word
// book's own, shared until either changes), where encoding it would read every word again.
// The learning log is not kept: its lines are read from disk for each pass, and it grows with
// every study day, so holding them would grow the memory at rest with it. Its line count and
// a digest of its lines tell it unchanged instead.
class KnownLocalHash {
public:
    // The hash of `snapshot` when it is the word book remembered.
    std::optional<QString> of(const SyncBundle& snapshot) const;
    void remember(SyncBundle snapshot, QString hash);
    // Keeps no word book: one about to be replaced would only hold its old words in memory.
    void forget();

private:
    struct LogMark {
        qsizetype lines = 0;
        QByteArray digest;
        bool operator==(const LogMark&) const = default;
    };
    static LogMark markOf(const QStringList& log);

    std::optional<SyncBundle> m_snapshot; // without its log
    LogMark m_log;
    QString m_hash;
};

} // namespace glossivo
