#pragma once

#include "ai/ChatRequest.h"
#include "ai/LineSplitter.h"
#include "model/NetworkReply.h"

#include <QObject>
#include <QString>

#include <optional>

namespace glossivo {

// One streamed chat reply. It emits textReceived() for each bit of text as it arrives, then exactly
// one of finished() or failed() — unless the consumer cancels first, after which it emits
// nothing more. The failure message is the AIError sentence or the network layer's text.
// Built by DeepSeekClient::streamChat; signals are emitted from the event loop only, so a
// consumer may connect them after the call returns.
class ChatStream : public QObject {
    Q_OBJECT

public:
    ~ChatStream() override;

    // Stops at once and closes the connection. Safe to call from a slot of this stream.
    void cancel();

Q_SIGNALS:
    void textReceived(const QString& text);
    void finished();
    void failed(const QString& message);

private:
    friend class DeepSeekClient;

    explicit ChatStream(QObject* parent);
    void start(QNetworkReply* reply, const ChatRequest& request);
    // The request could not be made: nothing was sent.
    void failSoon(const QString& message);

    void readBody();
    void complete();
    void readLines();
    void collectError(const QByteArray& line);
    void failWithStatus();
    void end();
    void fail(const QString& message);
    void close();

    NetworkReply::Owned m_reply;
    ChatRequest m_request;
    LineSplitter m_lines;
    std::optional<int> m_status;
    QString m_errorText;
    bool m_done = false;
};

} // namespace glossivo
