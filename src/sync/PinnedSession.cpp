#include "sync/PinnedSession.h"

#include "model/NetworkReply.h"
#include "sync/CertificatePin.h"
#include "sync/SyncError.h"

#include <QCoro/QCoroNetworkReply>
#include <QNetworkAccessManager>
#include <QSslConfiguration>

namespace glossivo {

namespace {

bool carriesPin(const QNetworkReply& reply, const QString& pin)
{
    return CertificatePin::of(reply.sslConfiguration().peerCertificate()) == pin;
}

// Both checks are needed. A server whose certificate no authority vouches for reaches
// sslErrors, where its errors are forgiven only when it is the pinned one. A server that some
// authority does vouch for reaches encrypted without errors; it is cut off there when it is
// not the pinned one. sslErrors comes during the handshake and encrypted right after it, both
// before the request is written, and the network thread waits for their slots.
void pinReply(QNetworkReply* reply, const QString& pin, std::shared_ptr<bool> refused)
{
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [reply, pin, refused] {
        if (carriesPin(*reply, pin))
            reply->ignoreSslErrors();
        else
            *refused = true;
    });
    QObject::connect(reply, &QNetworkReply::encrypted, reply, [reply, pin, refused] {
        if (carriesPin(*reply, pin)) return;
        *refused = true;
        reply->abort();
    });
}

QString refusedText()
{
    return QStringLiteral("the server's certificate does not match the pin");
}

// The network thread reads no further ahead than this while the body is taken here.
constexpr qint64 kReadAhead = qint64(4) << 20;

// Takes the body as it arrives, so that it is held once rather than in the reply's buffer and
// again in a copy, and cuts the reply off as soon as it is known to pass the limit.
void collectBody(QNetworkReply* reply, std::shared_ptr<QByteArray> body,
                 std::shared_ptr<bool> tooLarge)
{
    reply->setReadBufferSize(kReadAhead);
    const auto refuse = [reply, tooLarge] {
        *tooLarge = true;
        reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, refuse] {
        bool known = false;
        const qint64 announced =
            reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && announced > PinnedSession::kBodyLimit) refuse();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, body, refuse] {
        const qint64 available = reply->bytesAvailable();
        if (body->size() + available > PinnedSession::kBodyLimit) return refuse();
        body->append(reply->read(available));
    });
}

QNetworkReply* start(QNetworkAccessManager& manager, const QNetworkRequest& request,
                     const QByteArray& method, const QByteArray& body)
{
    if (method == "GET") return manager.get(request);
    if (method == "PUT") return manager.put(request, body);
    return manager.sendCustomRequest(request, method, body);
}

} // namespace

void PinnedSession::DeleteLater::operator()(QNetworkAccessManager* manager) const
{
    // Its replies may still be delivering their last signals.
    manager->deleteLater();
}

PinnedSession::PinnedSession(const SyncLink& link)
    : m_manager(new QNetworkAccessManager), m_pin(link.pin.toLower())
{}

PinnedSession::~PinnedSession() = default;

QCoro::Task<PinnedSession::Response> PinnedSession::send(QNetworkRequest request, QByteArray method,
                                                         QByteArray body, QList<int> ok)
{
    auto refused = std::make_shared<bool>(false);
    auto tooLarge = std::make_shared<bool>(false);
    auto received = std::make_shared<QByteArray>();
    // The size bound below holds for a compressed body too, as it expands; Qt's own guess at a
    // compression bomb would cut such a body off first, as a failure of the connection.
    request.setDecompressedSafetyCheckThreshold(-1);
    NetworkReply::Owned reply(start(*m_manager, request, method, body));
    pinReply(reply.get(), m_pin, refused);
    collectBody(reply.get(), received, tooLarge);
    co_await reply.get();

    if (*refused) throw SyncError::certificate(refusedText());
    if (*tooLarge) throw SyncError::tooLarge(kBodyLimit);
    const std::optional<int> status = NetworkReply::actionableStatus(*reply);
    if (!status) {
        if (reply->error() == QNetworkReply::SslHandshakeFailedError)
            throw SyncError::certificate(reply->errorString());
        throw SyncError::connection(reply->errorString());
    }
    if (!ok.contains(*status)) throw SyncError::http(*status);
    received->append(reply->readAll());
    co_return Response{*status, std::move(*received), reply->rawHeader("ETag")};
}

} // namespace glossivo
