#pragma once

#include "model/Clock.h"
#include "sync/SyncBundle.h"
#include "sync/SyncLink.h"
#include "sync/SyncState.h"

#include <QCoro/QCoroTask>

#include <functional>
#include <future>

namespace glossivo {

class KnownLocalHash;
class WordStore;

// One sync pass: fetches the server's bundle (or learns it has not changed), merges it with a
// snapshot of the word book, hands the result to the word book when it differs from what is
// there, and uploads it when the server does not hold it yet. A refused upload (412) starts
// again from the download; the fourth refusal ends the pass as busy. Only a pass that ends
// well, with the word book on disk, writes sync-state.json.
//
// The word book, the clock and the apply function must outlive the pass.
class SyncPass {
public:
    // Called with the merged document when the word book must take it over.
    using Apply = std::function<void(const SyncBundle&)>;

    // With `known`, a pass that finds neither side changed remembers the word book's hash
    // there, and the next one looks there before it encodes the word book.
    SyncPass(WordStore& store, QString statePath, const Clock& clock, Apply apply,
             KnownLocalHash* known = nullptr);

    // Throws SyncError, or JsonError for a server document that does not read.
    QCoro::Task<> run(SyncLink link);

private:
    struct Upload {
        QByteArray text;
        qint64 version = 0;
        // Needed only once the server has taken the text, so it may still be worked out.
        std::shared_future<QString> hash;
    };

    void save(SyncState& state, qint64 version, const QString& hash);

    WordStore& m_store;
    QString m_statePath;
    const Clock& m_clock;
    Apply m_apply;
    KnownLocalHash* m_known;
};

} // namespace glossivo
