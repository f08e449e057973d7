#pragma once

#include "sync/SyncLink.h"

#include <QByteArray>
#include <QCoro/QCoroTask>
#include <QList>
#include <QNetworkRequest>

#include <memory>

class QNetworkAccessManager;

namespace glossivo {

// The connection of one sync pass or one connection test: a network manager of its own, so
// that no cookie, cache entry or open connection outlives it, whose server is accepted exactly
// when its own (leaf) certificate hashes to the link's pin. No certificate authority, host name
// or expiry date is consulted; a refused server has not received a single byte of a request.
class PinnedSession {
public:
    struct Response {
        int status = 0;
        QByteArray body;
        QByteArray etag;
    };

    // Far above any real word book (a book of 20,000 words is some 50 MB), so that a server that
    // never stops sending cannot fill the memory.
    static constexpr qint64 kBodyLimit = qint64(256) << 20;

    explicit PinnedSession(const SyncLink& link);
    ~PinnedSession();
    PinnedSession(const PinnedSession&) = delete;
    PinnedSession& operator=(const PinnedSession&) = delete;

    // Sends the request ("GET" or "PUT") and gives the reply when its status is one of `ok`.
    // Throws SyncError: http for another status, certificate for a server that is not the
    // pinned one, connection when no complete reply came, tooLarge for a body that announces
    // or reaches more than kBodyLimit bytes.
    QCoro::Task<Response> send(QNetworkRequest request, QByteArray method, QByteArray body,
                               QList<int> ok);

private:
    struct DeleteLater {
        void operator()(QNetworkAccessManager* manager) const;
    };

    std::unique_ptr<QNetworkAccessManager, DeleteLater> m_manager;
    QString m_pin;
};

} // namespace glossivo
