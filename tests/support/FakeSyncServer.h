#pragma once

#include "support/FakeChatServer.h"
#include "sync/SyncLink.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSslServer>
#include <QString>

class QSslSocket;

namespace glossivo::testing {

// A sync server on 127.0.0.1 over HTTPS with a self-signed test certificate. It keeps one bundle
// per token with an integer version that goes up by one with every stored upload, answers the
// three requests of the protocol, and records every request. Switches make it misbehave.
class FakeSyncServer : public QObject {
    Q_OBJECT

public:
    enum class Certificate {
        server,  // the one link() pins
        other,   // another self-signed certificate
        expired, // self-signed and expired in 2021
    };

    explicit FakeSyncServer(Certificate certificate = Certificate::server);
    ~FakeSyncServer() override;

    QString baseURL() const;
    static QString pinOf(Certificate certificate);
    static QSslCertificate certificateOf(Certificate certificate);
    // A link to this server with the given token, pinned to the given certificate.
    SyncLink link(const QString& token = defaultToken(),
                  Certificate pinned = Certificate::server) const;
    static QString defaultToken() { return QStringLiteral("token-0123456789abcdef"); }

    // Switches. New connections present this certificate.
    void present(Certificate certificate);
    // Every request gets this status (401, 500 …) until reset with 0.
    void answerAll(int status) { m_forcedStatus = status; }
    // The next n uploads are refused with 412 while another device stores a version meanwhile.
    void refuseUploads(int count) { m_refusals = count; }
    // Each answer waits this long.
    void delayAnswers(int milliseconds) { m_delay = milliseconds; }
    // ETags in the weak form W/"n".
    void useWeakETags(bool weak) { m_weak = weak; }
    // Answers carry no ETag at all.
    void dropETags(bool dropped) { m_noETag = dropped; }
    // Downloads answer 200 with a body that goes on and on: announced as 10 GB, or sent without
    // a length until the client hangs up (or, so that a client without a limit still ends, the
    // server has sent 512 MB); or compressed: a gzip body of a few hundred KB that expands to
    // 320 MB.
    enum class EndlessBody { none, announced, unannounced, compressed };
    void sendEndlessBodies(EndlessBody kind) { m_endless = kind; }
    // "/v1/ping" answers 404, as a server without it would.
    void dropPing(bool dropped) { m_noPing = dropped; }

    // The bundle stored for a token, as uploaded; empty when none.
    QByteArray bundle(const QString& token = defaultToken()) const;
    qint64 version(const QString& token = defaultToken()) const;
    // Stores a bundle as another device would, with the next version.
    void store(const QByteArray& body, const QString& token = defaultToken());

    const QList<RecordedRequest>& requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }
    int requestCount(const QByteArray& method, const QByteArray& path) const;
    // TLS handshakes begun, and bytes received over finished ones.
    int handshakes() const { return m_handshakes; }
    qint64 bytesReceived() const { return m_bytesReceived; }

private:
    struct Account {
        QByteArray body;
        qint64 version = 0;
    };
    struct Answer {
        int status = 200;
        QByteArray body;
        std::optional<qint64> version;
    };

    void accept();
    void read(QSslSocket* socket);
    Answer answer(const RecordedRequest& request);
    Answer bundleAnswer(const RecordedRequest& request, Account& account);
    void send(QSslSocket* socket, const Answer& answer);
    void sendEndless(QSslSocket* socket);
    QByteArray etag(qint64 version) const;

    QSslServer m_server;
    QHash<QString, Account> m_accounts;
    QHash<QSslSocket*, QByteArray> m_received;
    QList<RecordedRequest> m_requests;
    int m_forcedStatus = 0;
    int m_refusals = 0;
    int m_delay = 0;
    bool m_weak = false;
    bool m_noPing = false;
    bool m_noETag = false;
    EndlessBody m_endless = EndlessBody::none;
    int m_handshakes = 0;
    qint64 m_bytesReceived = 0;
};

} // namespace glossivo::testing
