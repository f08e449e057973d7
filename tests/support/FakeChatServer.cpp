#include "support/FakeChatServer.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>
#include <stdexcept>

namespace glossivo::testing {

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 401:
        return "Unauthorized";
    case 402:
        return "Payment Required";
    case 429:
        return "Too Many Requests";
    default:
        return "Status";
    }
}

QByteArray head(const FakeReply& reply)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' +
                      reasonPhrase(reply.status) + "\r\nContent-Type: " + reply.contentType +
                      "\r\nConnection: close\r\n";
    if (reply.chunked) {
        head += "Transfer-Encoding: chunked\r\n";
    } else {
        qsizetype length = 0;
        for (const QByteArray& fragment : reply.fragments)
            length += fragment.size();
        // A broken-off body promises more than it delivers.
        if (reply.ending == FakeReply::Ending::breakOff) ++length;
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    }
    return head + "\r\n";
}

} // namespace

std::optional<RecordedRequest> RecordedRequest::parse(const QByteArray& bytes)
{
    const qsizetype headEnd = bytes.indexOf("\r\n\r\n");
    if (headEnd < 0) return std::nullopt;
    const QList<QByteArray> lines = bytes.left(headEnd).split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    RecordedRequest request;
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0)
            request.headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                                   lines.at(i).mid(colon + 1).trimmed());
    }
    const qsizetype length = request.header("content-length").toLongLong();
    if (bytes.size() < headEnd + 4 + length) return std::nullopt;
    request.body = bytes.mid(headEnd + 4, length);
    return request;
}

QJsonObject RecordedRequest::json() const
{
    return QJsonDocument::fromJson(body).object();
}

FakeReply FakeReply::json(const QJsonObject& body, int status)
{
    return text(status, QJsonDocument(body).toJson(QJsonDocument::Compact));
}

FakeReply FakeReply::text(int status, const QByteArray& body)
{
    FakeReply reply;
    reply.status = status;
    reply.fragments = {body};
    return reply;
}

FakeReply FakeReply::chatContent(const QString& content)
{
    const QJsonObject message{{"role", "assistant"}, {"content", content}};
    return json({{"id", "chat-1"},
                 {"choices", QJsonArray{QJsonObject{{"index", 0}, {"message", message}}}}});
}

FakeReply FakeReply::events(const QList<QByteArray>& fragments, Ending ending)
{
    FakeReply reply;
    reply.contentType = "text/event-stream";
    reply.fragments = fragments;
    reply.chunked = true;
    reply.ending = ending;
    return reply;
}

FakeReply FakeReply::streamed(const QStringList& pieces, Ending ending)
{
    QList<QByteArray> fragments;
    for (const QString& piece : pieces)
        fragments.append(deltaEvent(piece));
    if (ending == Ending::complete) fragments.append("data: [DONE]\n\n");
    return events(fragments, ending);
}

QByteArray FakeReply::deltaEvent(const QString& text)
{
    const QJsonObject delta{{"content", text}};
    const QJsonObject chunk{{"choices", QJsonArray{QJsonObject{{"delta", delta}}}}};
    return "data: " + QJsonDocument(chunk).toJson(QJsonDocument::Compact) + "\n\n";
}

FakeChatServer::FakeChatServer()
{
    if (!m_server.listen(QHostAddress::LocalHost))
        throw std::runtime_error("the fake chat server cannot listen");
    connect(&m_server, &QTcpServer::newConnection, this, &FakeChatServer::accept);
}

FakeChatServer::~FakeChatServer()
{
    // The sockets outlive this object's members; they must not report back into them.
    for (QTcpSocket* socket : m_server.findChildren<QTcpSocket*>())
        disconnect(socket, nullptr, this, nullptr);
}

QString FakeChatServer::baseURL() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

void FakeChatServer::enqueue(const FakeReply& reply)
{
    m_replies.enqueue(reply);
}

bool FakeChatServer::waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, 5000);
}

void FakeChatServer::accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        ++m_openConnections;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            --m_openConnections;
            m_received.remove(socket);
            socket->deleteLater();
        });
    }
}

void FakeChatServer::read(QTcpSocket* socket)
{
    QByteArray& received = m_received[socket];
    received += socket->readAll();
    const std::optional<RecordedRequest> request = RecordedRequest::parse(received);
    if (!request) return;
    received.clear();
    m_requests.append(*request);
    const FakeReply reply =
        m_replies.isEmpty() ? FakeReply::text(500, "no reply scripted") : m_replies.dequeue();
    QPointer<QTcpSocket> alive(socket);
    QTimer::singleShot(reply.delayMilliseconds, this, [this, alive, reply] {
        if (alive) answer(alive, reply);
    });
}

void FakeChatServer::answer(QTcpSocket* socket, const FakeReply& reply)
{
    socket->write(head(reply));
    socket->flush();
    writeFragment(socket, reply, 0);
}

void FakeChatServer::writeFragment(QTcpSocket* socket, const FakeReply& reply, qsizetype index)
{
    if (index == reply.fragments.size()) return finish(socket, reply);
    const QByteArray& fragment = reply.fragments.at(index);
    if (reply.chunked)
        socket->write(QByteArray::number(fragment.size(), 16) + "\r\n" + fragment + "\r\n");
    else
        socket->write(fragment);
    socket->flush();
    QPointer<QTcpSocket> alive(socket);
    QTimer::singleShot(reply.gapMilliseconds, this, [this, alive, reply, index] {
        if (alive && alive->state() == QAbstractSocket::ConnectedState)
            writeFragment(alive, reply, index + 1);
    });
}

void FakeChatServer::finish(QTcpSocket* socket, const FakeReply& reply)
{
    switch (reply.ending) {
    case FakeReply::Ending::complete:
        if (reply.chunked) socket->write("0\r\n\r\n");
        socket->disconnectFromHost();
        break;
    case FakeReply::Ending::breakOff:
        socket->disconnectFromHost();
        break;
    case FakeReply::Ending::hold:
        break;
    }
}

} // namespace glossivo::testing
