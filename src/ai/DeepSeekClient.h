#pragma once

#include "ai/LookupResult.h"
#include "ai/Translation.h"
#include "model/AppConfig.h"
#include "model/Explanation.h"
#include "model/WordEntry.h"

#include <QCoro/QCoroTask>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QObject;

namespace glossivo {

class ChatStream;
struct ChatRequest;

// The client of the chat-completion service. A plain value over the configuration it was built
// with: build one from the current configuration for each call, so that a changed key or
// address applies to the next request. Every call stands alone: no retry, no cache.
//
// Failures arrive as AIError (with the one sentence to show), as TransportError (with the network
// layer's message), or, for a non-finite temperature, as std::invalid_argument. The key never
// appears in any of them.
//
// The coroutines read the client only before their first suspension, so a temporary client
// may start them.
class DeepSeekClient {
public:
    struct ChatMessage {
        QString role; // "system", "user" or "assistant"
        QString content;

        bool operator==(const ChatMessage&) const = default;
    };

    // The memory-tip reply.
    struct Result {
        QString tipZh;
    };

    explicit DeepSeekClient(AppConfig config) : m_config(std::move(config)) {}

    // One system and one user message; the reply must be a JSON object that decodes as the
    // record (Explanation, LookupResult, Translation or Result).
    template <class Record> QCoro::Task<Record> chatJSON(QString system, QString user) const;

    // Sends the conversation at once and hands the reply on bit by bit. The stream is owned
    // by the parent, or by the caller when there is none.
    ChatStream* streamChat(const QList<ChatMessage>& messages, double temperature,
                           QObject* parent = nullptr) const;

    // A word explained in its sentence; context is the text around the selection.
    QCoro::Task<Explanation> explain(const QString& selection,
                                     const std::optional<QString>& context) const;
    // A typed dictionary query: English (perhaps misspelt), a name, or Chinese.
    QCoro::Task<LookupResult> lookup(const QString& query) const;
    QCoro::Task<Translation> translate(const QString& passage) const;
    // A short Chinese memory tip for a word the learner keeps forgetting, as the reply gives it.
    QCoro::Task<QString> mnemonic(const WordEntry& entry, const QStringList& knownWords,
                                  const QStringList& interests) const;

private:
    ChatRequest makeRequest(const QList<ChatMessage>& messages, const QJsonObject& extras) const;
    static QCoro::Task<QJsonObject> exchange(ChatRequest request);

    AppConfig m_config;
};

} // namespace glossivo
