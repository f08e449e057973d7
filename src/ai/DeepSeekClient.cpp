#include "ai/DeepSeekClient.h"

#include "ai/AIError.h"
#include "ai/AIPrompts.h"
#include "ai/ChatEnvelope.h"
#include "ai/ChatRequest.h"
#include "ai/ChatStream.h"
#include "ai/ReplyDecoder.h"
#include "ai/TransportError.h"
#include "model/Blanks.h"
#include "model/JsonFields.h"
#include "model/NetworkReply.h"

#include <QCoro/QCoroNetworkReply>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace glossivo {

namespace {

constexpr int timeoutMilliseconds = 60'000;

// One manager for every call, kept for the life of the process. It is deliberately never
// destroyed: Qt 6.4 can lose its network thread when a manager is destroyed right after a
// request, which sanitizer builds report as a leak at exit.
QNetworkAccessManager& sharedNetwork()
{
    static QNetworkAccessManager* const manager = new QNetworkAccessManager;
    return *manager;
}

// A control character in the key would break the header it travels in.
bool fitsInHeader(const QString& key)
{
    return std::none_of(key.begin(), key.end(),
                        [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

QUrl endpoint(const QString& baseURL)
{
    QString base = Blanks::trimmed(baseURL);
    while (base.startsWith(QLatin1Char('/')))
        base.remove(0, 1);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const QUrl url(base + QStringLiteral("/chat/completions"), QUrl::StrictMode);
    if (!url.isValid()) throw AIError::badResponse();
    return url;
}

QJsonArray messageList(const QList<DeepSeekClient::ChatMessage>& messages)
{
    QJsonArray list;
    for (const DeepSeekClient::ChatMessage& message : messages)
        list.append(QJsonObject{{QStringLiteral("role"), message.role},
                                {QStringLiteral("content"), message.content}});
    return list;
}

// Strict: a body that is not valid UTF-8 is shown as nothing rather than as mojibake.
QString utf8OrEmpty(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

// GCC 12 cannot compile QStringLiteral inside a coroutine, so these are built outside.
QList<DeepSeekClient::ChatMessage> conversation(const QString& system, const QString& user)
{
    return {{QStringLiteral("system"), system}, {QStringLiteral("user"), user}};
}

QJsonObject jsonExtras()
{
    return {{QStringLiteral("response_format"),
             QJsonObject{{QStringLiteral("type"), QStringLiteral("json_object")}}},
            {QStringLiteral("temperature"), 0.2},
            {QStringLiteral("stream"), false}};
}

} // namespace

ChatRequest DeepSeekClient::makeRequest(const QList<ChatMessage>& messages,
                                        const QJsonObject& extras) const
{
    const QString key = m_config.apiKey.trimmed();
    if (key.isEmpty()) throw AIError::noKey();
    if (!fitsInHeader(key)) throw AIError::unauthorized();
    QNetworkRequest request(endpoint(m_config.baseURL));
    request.setTransferTimeout(timeoutMilliseconds);
    // Following a redirect to another host would hand it the key, and Qt drops the body of a
    // redirect it does not follow: a redirect is shown as the answer it is, with its body.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setRawHeader("Content-Type", "application/json");
    request.setRawHeader("Authorization", "Bearer " + key.toUtf8());

    QJsonObject body{{QStringLiteral("model"), m_config.model},
                     {QStringLiteral("messages"), messageList(messages)}};
    for (auto it = extras.begin(); it != extras.end(); ++it) {
        // Qt would write such a number as null without a word.
        if (it->isDouble() && !std::isfinite(it->toDouble()))
            throw std::invalid_argument("JSON cannot hold a non-finite number");
        body.insert(it.key(), it.value());
    }
    return {request, QJsonDocument(body).toJson(QJsonDocument::Compact), key};
}

QCoro::Task<QJsonObject> DeepSeekClient::exchange(ChatRequest request)
{
    NetworkReply::Owned reply(sharedNetwork().post(request.request, request.body));
    co_await reply.get();
    const QByteArray body = reply->readAll();
    const std::optional<int> status = NetworkReply::actionableStatus(*reply);
    if (!status) throw TransportError(reply->error(), reply->errorString());
    if (*status != 200) throw AIError::forStatus(*status, request.masked(utf8OrEmpty(body)));
    co_return ChatEnvelope::contentObject(body);
}

template <class Record>
QCoro::Task<Record> DeepSeekClient::chatJSON(QString system, QString user) const
{
    const QJsonObject reply =
        co_await exchange(makeRequest(conversation(system, user), jsonExtras()));
    try {
        co_return decodeReply<Record>(reply);
    } catch (const JsonError&) {
        throw AIError::badResponse();
    }
}

template QCoro::Task<Explanation> DeepSeekClient::chatJSON<Explanation>(QString, QString) const;
template QCoro::Task<LookupResult> DeepSeekClient::chatJSON<LookupResult>(QString, QString) const;
template QCoro::Task<Translation> DeepSeekClient::chatJSON<Translation>(QString, QString) const;
template QCoro::Task<DeepSeekClient::Result>
    DeepSeekClient::chatJSON<DeepSeekClient::Result>(QString, QString) const;

ChatStream* DeepSeekClient::streamChat(const QList<ChatMessage>& messages, double temperature,
                                       QObject* parent) const
{
    auto* stream = new ChatStream(parent);
    try {
        const ChatRequest request =
            makeRequest(messages, {{QStringLiteral("stream"), true},
                                   {QStringLiteral("temperature"), temperature}});
        stream->start(sharedNetwork().post(request.request, request.body), request);
    } catch (const std::exception& error) {
        stream->failSoon(QString::fromUtf8(error.what()));
    }
    return stream;
}

QCoro::Task<Explanation> DeepSeekClient::explain(const QString& selection,
                                                 const std::optional<QString>& context) const
{
    return chatJSON<Explanation>(AIPrompts::explainPrompt(),
                                 AIPrompts::explainMessage(selection, context));
}

QCoro::Task<LookupResult> DeepSeekClient::lookup(const QString& query) const
{
    return chatJSON<LookupResult>(AIPrompts::lookupPrompt(), AIPrompts::lookupMessage(query));
}

QCoro::Task<Translation> DeepSeekClient::translate(const QString& passage) const
{
    return chatJSON<Translation>(AIPrompts::translationPrompt(),
                                 AIPrompts::translationMessage(passage));
}

QCoro::Task<QString> DeepSeekClient::mnemonic(const WordEntry& entry, const QStringList& knownWords,
                                              const QStringList& interests) const
{
    QCoro::Task<Result> reply = chatJSON<Result>(
        AIPrompts::mnemonicPrompt(), AIPrompts::mnemonicMessage(entry, knownWords, interests));
    co_return (co_await std::move(reply)).tipZh;
}

} // namespace glossivo
