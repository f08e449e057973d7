#include "ai/ChatStream.h"

#include "ai/AIError.h"
#include "ai/ChatEnvelope.h"
#include "model/Graphemes.h"

#include <QPointer>
#include <QTimer>

namespace glossivo {

namespace {

// An error body is read until it holds this many characters; only 200 of them are shown.
constexpr qsizetype errorTextWanted = 201;

} // namespace

ChatStream::ChatStream(QObject* parent) : QObject(parent) {}

ChatStream::~ChatStream()
{
    close();
}

void ChatStream::start(QNetworkReply* reply, const ChatRequest& request)
{
    m_reply.reset(reply);
    m_request = request;
    connect(reply, &QNetworkReply::readyRead, this, &ChatStream::readBody);
    connect(reply, &QNetworkReply::finished, this, &ChatStream::complete);
}

void ChatStream::failSoon(const QString& message)
{
    QTimer::singleShot(0, this, [this, message] {
        if (!m_done) fail(message);
    });
}

void ChatStream::cancel()
{
    close();
}

void ChatStream::readBody()
{
    if (!m_status) {
        const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        m_status = status.isValid() ? status.toInt() : 0;
    }
    m_lines.append(m_reply->readAll());
    readLines();
}

void ChatStream::readLines()
{
    QPointer<ChatStream> alive(this);
    while (const std::optional<QByteArray> line = m_lines.next()) {
        if (*m_status != 200) {
            collectError(*line);
        } else {
            const ChatEnvelope::StreamLine event = ChatEnvelope::readStreamLine(*line);
            if (event.kind == ChatEnvelope::StreamLine::Kind::done) return end();
            if (event.kind == ChatEnvelope::StreamLine::Kind::text) Q_EMIT textReceived(event.text);
        }
        if (!alive || m_done) return;
    }
}

void ChatStream::collectError(const QByteArray& line)
{
    m_errorText += QString::fromUtf8(line);
    // Whole lines are collected, so a key echoed in the body is masked before the cut.
    if (Graphemes::split(m_errorText).size() >= errorTextWanted) failWithStatus();
}

void ChatStream::complete()
{
    QPointer<ChatStream> alive(this);
    readBody();
    if (!alive || m_done) return;
    const std::optional<int> status = NetworkReply::actionableStatus(*m_reply);
    if (!status) return fail(m_reply->errorString());
    m_status = *status;
    m_lines.finish();
    readLines();
    if (!alive || m_done) return;
    if (*m_status == 200) return end();
    failWithStatus();
}

void ChatStream::failWithStatus()
{
    fail(AIError::forStatus(*m_status, m_request.masked(m_errorText)).errorDescription());
}

void ChatStream::end()
{
    close();
    Q_EMIT finished();
}

void ChatStream::fail(const QString& message)
{
    close();
    Q_EMIT failed(message);
}

void ChatStream::close()
{
    m_done = true;
    if (!m_reply) return;
    disconnect(m_reply.get(), nullptr, this, nullptr);
    m_reply->abort();
    m_reply.reset();
}

} // namespace glossivo
