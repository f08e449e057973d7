#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTcpServer>

#include <functional>
#include <optional>

class QTcpSocket;

namespace glossivo::testing {

// One HTTP request as the fake server received it.
struct RecordedRequest {
    QByteArray method;
    QByteArray path;
    QMap<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;

    QByteArray header(const QByteArray& name) const { return headers.value(name.toLower()); }
    // The body parsed as a JSON object; empty when it is not one.
    QJsonObject json() const;
    // The request, when all of it has arrived.
    static std::optional<RecordedRequest> parse(const QByteArray& bytes);
};

// One scripted answer. The body goes out in the given fragments, each in its own write with a
// short pause before the next, so that the client receives them in separate reads.
struct FakeReply {
    enum class Ending {
        complete, // the whole body, then the connection is closed
        breakOff, // the connection is dropped before the body is complete
        hold,     // the connection stays open after the last fragment
    };

    int status = 200;
    QByteArray contentType = "application/json";
    QList<QByteArray> fragments;
    bool chunked = false; // "Transfer-Encoding: chunked" rather than a Content-Length
    Ending ending = Ending::complete;
    int delayMilliseconds = 0; // before anything is sent
    // Between two fragments; a test that looks at a stream half-way gives itself time to look.
    int gapMilliseconds = 20;

    static FakeReply json(const QJsonObject& body, int status = 200);
    static FakeReply text(int status, const QByteArray& body);
    // A chat-completion envelope whose first choice's message holds the content.
    static FakeReply chatContent(const QString& content);
    // A server-sent event stream in the given fragments, sent chunked.
    static FakeReply events(const QList<QByteArray>& fragments, Ending ending = Ending::complete);
    // A streamed answer in these pieces, one event each; a complete one ends with "[DONE]".
    static FakeReply streamed(const QStringList& pieces, Ending ending = Ending::complete);
    // One "data:" event whose delta holds the text, with its blank line.
    static QByteArray deltaEvent(const QString& text);
};

// A chat-completion service on 127.0.0.1 that records every request and answers with the
// scripted replies in order (a request without a script gets a 500).
class FakeChatServer : public QObject {
    Q_OBJECT

public:
    FakeChatServer();
    ~FakeChatServer() override;

    QString baseURL() const;
    void enqueue(const FakeReply& reply);
    const QList<RecordedRequest>& requests() const { return m_requests; }
    int openConnections() const { return m_openConnections; }

    // Run the event loop until the condition holds or five seconds pass.
    static bool waitFor(const std::function<bool()>& condition);

private:
    void accept();
    void read(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const FakeReply& reply);
    void writeFragment(QTcpSocket* socket, const FakeReply& reply, qsizetype index);
    void finish(QTcpSocket* socket, const FakeReply& reply);

    QTcpServer m_server;
    QQueue<FakeReply> m_replies;
    QList<RecordedRequest> m_requests;
    QMap<QTcpSocket*, QByteArray> m_received;
    int m_openConnections = 0;
};

} // namespace glossivo::testing
