#include "support/FakeSyncServer.h"

#include "sync/CertificatePin.h"
#include "sync/SyncProtocol.h"

#include <QFile>
#include <QPointer>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>

#include <memory>
#include <stdexcept>
#include <zlib.h>

namespace glossivo::testing {

namespace {

QString certificateName(FakeSyncServer::Certificate certificate)
{
    switch (certificate) {
    case FakeSyncServer::Certificate::server:
        return QStringLiteral("server");
    case FakeSyncServer::Certificate::other:
        return QStringLiteral("other");
    case FakeSyncServer::Certificate::expired:
        return QStringLiteral("expired");
    }
    return {};
}

QByteArray certificateFile(FakeSyncServer::Certificate certificate, const char* suffix)
{
    QFile file(QStringLiteral(GLOSSIVO_TEST_CERTS "/") + certificateName(certificate) +
               QLatin1String(suffix));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing test certificate " + file.fileName().toStdString());
    return file.readAll();
}

QSslConfiguration serverConfiguration(FakeSyncServer::Certificate certificate)
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(FakeSyncServer::certificateOf(certificate));
    configuration.setPrivateKey(QSslKey(certificateFile(certificate, ".key"), QSsl::Ec));
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    return configuration;
}

// The start of a word list and then spaces, 320 MB of them, in a gzip stream; made once.
const QByteArray& gzipBomb()
{
    static const QByteArray body = [] {
        z_stream stream{};
        deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
        QByteArray out;
        char buffer[1 << 16];
        const auto feed = [&](QByteArray in, int flush) {
            stream.next_in = reinterpret_cast<Bytef*>(in.data());
            stream.avail_in = uInt(in.size());
            do {
                stream.next_out = reinterpret_cast<Bytef*>(buffer);
                stream.avail_out = sizeof buffer;
                deflate(&stream, flush);
                out.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
            } while (stream.avail_out == 0);
        };
        feed("{\"words\":[", Z_NO_FLUSH);
        const QByteArray spaces(1 << 20, ' ');
        for (int i = 0; i < 320; ++i)
            feed(spaces, Z_NO_FLUSH);
        feed({}, Z_FINISH);
        deflateEnd(&stream);
        return out;
    }();
    return body;
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 304:
        return "Not Modified";
    case 401:
        return "Unauthorized";
    case 404:
        return "Not Found";
    case 412:
        return "Precondition Failed";
    default:
        return "Status";
    }
}

QString tokenOf(const RecordedRequest& request)
{
    const QByteArray authorization = request.header("authorization");
    if (!authorization.startsWith("Bearer ")) return {};
    return QString::fromUtf8(authorization.mid(7));
}

} // namespace

FakeSyncServer::FakeSyncServer(Certificate certificate)
{
    present(certificate);
    connect(&m_server, &QSslServer::startedEncryptionHandshake, this, [this] { ++m_handshakes; });
    connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, &FakeSyncServer::accept);
    if (!m_server.listen(QHostAddress::LocalHost))
        throw std::runtime_error("the fake sync server cannot listen");
}

FakeSyncServer::~FakeSyncServer()
{
    // The sockets outlive this object's members; they must not report back into them.
    for (QSslSocket* socket : m_server.findChildren<QSslSocket*>())
        disconnect(socket, nullptr, this, nullptr);
}

QString FakeSyncServer::baseURL() const
{
    return QStringLiteral("https://127.0.0.1:%1").arg(m_server.serverPort());
}

QSslCertificate FakeSyncServer::certificateOf(Certificate certificate)
{
    return QSslCertificate(certificateFile(certificate, ".crt"), QSsl::Pem);
}

QString FakeSyncServer::pinOf(Certificate certificate)
{
    return CertificatePin::of(certificateOf(certificate));
}

SyncLink FakeSyncServer::link(const QString& token, Certificate pinned) const
{
    return {baseURL(), token, pinOf(pinned)};
}

void FakeSyncServer::present(Certificate certificate)
{
    m_server.setSslConfiguration(serverConfiguration(certificate));
}

QByteArray FakeSyncServer::bundle(const QString& token) const
{
    return m_accounts.value(token).body;
}

qint64 FakeSyncServer::version(const QString& token) const
{
    return m_accounts.value(token).version;
}

void FakeSyncServer::store(const QByteArray& body, const QString& token)
{
    Account& account = m_accounts[token];
    account.body = body;
    account.version += 1;
}

int FakeSyncServer::requestCount(const QByteArray& method, const QByteArray& path) const
{
    return int(std::count_if(m_requests.begin(), m_requests.end(), [&](const auto& request) {
        return request.method == method && request.path == path;
    }));
}

void FakeSyncServer::accept()
{
    while (auto* socket = static_cast<QSslSocket*>(m_server.nextPendingConnection())) {
        connect(socket, &QSslSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QSslSocket::disconnected, this, [this, socket] {
            m_received.remove(socket);
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0) read(socket);
    }
}

void FakeSyncServer::read(QSslSocket* socket)
{
    const QByteArray bytes = socket->readAll();
    m_bytesReceived += bytes.size();
    QByteArray& received = m_received[socket];
    received += bytes;
    const std::optional<RecordedRequest> request = RecordedRequest::parse(received);
    if (!request) return;
    received.clear();
    m_requests.append(*request);
    const Answer reply = answer(*request);
    QPointer<QSslSocket> alive(socket);
    QTimer::singleShot(m_delay, this, [this, alive, reply] {
        if (alive) send(alive, reply);
    });
}

FakeSyncServer::Answer FakeSyncServer::answer(const RecordedRequest& request)
{
    if (m_forcedStatus != 0) return {m_forcedStatus, "forced", std::nullopt};
    const QString token = tokenOf(request);
    if (token.isEmpty()) return {401, "no token", std::nullopt};
    if (request.path == "/v1/ping" && request.method == "GET")
        return m_noPing ? Answer{404, "not found", std::nullopt} : Answer{200, "{}", std::nullopt};
    if (request.path == "/v1/bundle") return bundleAnswer(request, m_accounts[token]);
    return {404, "not found", std::nullopt};
}

FakeSyncServer::Answer FakeSyncServer::bundleAnswer(const RecordedRequest& request,
                                                    Account& account)
{
    if (request.method == "GET") {
        if (account.version == 0) return {404, "no bundle", std::nullopt};
        const QByteArray condition = request.header("if-none-match");
        if (!condition.isEmpty() && SyncProtocol::version(condition) == account.version)
            return {304, {}, account.version};
        return {200, account.body, account.version};
    }
    if (request.method != "PUT") return {405, "method", std::nullopt};
    if (m_refusals > 0) {
        --m_refusals;
        account.version += 1; // another device got there first
        if (account.body.isEmpty()) account.body = "{}";
        return {412, "refused", std::nullopt};
    }
    const QByteArray condition = request.header("if-match");
    if (condition.isEmpty() || SyncProtocol::version(condition) != account.version)
        return {412, "stale", std::nullopt};
    account.body = request.body;
    account.version += 1;
    return {200, "{}", account.version};
}

QByteArray FakeSyncServer::etag(qint64 version) const
{
    return (m_weak ? "W/" : "") + SyncProtocol::quoted(version);
}

void FakeSyncServer::sendEndless(QSslSocket* socket)
{
    QByteArray head = "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Type: application/json\r\n";
    if (m_endless == EndlessBody::compressed) {
        socket->write(head + "Content-Encoding: gzip\r\nContent-Length: " +
                      QByteArray::number(gzipBomb().size()) + "\r\n\r\n" + gzipBomb());
        return socket->disconnectFromHost();
    }
    if (m_endless == EndlessBody::announced) head += "Content-Length: 10737418240\r\n";
    socket->write(head + "\r\n{\"words\":[");
    // Topped up as the client takes it, so the server itself never holds more than a few MB.
    const QByteArray block(1 << 20, ' ');
    auto sent = std::make_shared<qint64>(0);
    const auto topUp = [socket, block, sent] {
        while (socket->state() == QAbstractSocket::ConnectedState &&
               socket->bytesToWrite() < 4 * block.size()) {
            if (*sent >= qint64(512) << 20) return socket->disconnectFromHost();
            socket->write(block);
            *sent += block.size();
        }
    };
    connect(socket, &QSslSocket::encryptedBytesWritten, this, topUp);
    topUp();
}

void FakeSyncServer::send(QSslSocket* socket, const Answer& answer)
{
    if (m_endless != EndlessBody::none && answer.status == 200) return sendEndless(socket);
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' +
                      reasonPhrase(answer.status) + "\r\nConnection: close\r\n";
    if (answer.version && !m_noETag) head += "ETag: " + etag(*answer.version) + "\r\n";
    if (answer.status != 304)
        head += "Content-Type: application/json\r\nContent-Length: " +
                QByteArray::number(answer.body.size()) + "\r\n";
    socket->write(head + "\r\n" + (answer.status == 304 ? QByteArray() : answer.body));
    socket->flush();
    socket->disconnectFromHost();
}

} // namespace glossivo::testing
