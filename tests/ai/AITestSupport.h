#pragma once

#include "ai/AIError.h"
#include "ai/ChatStream.h"
#include "model/AppConfig.h"
#include "support/AwaitTask.h"
#include "support/FakeChatServer.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace glossivo::testing {

// A made-up key; assertions compare it with == inside EXPECT_TRUE so that a failure does not
// print it.
inline const QString testKey = QStringLiteral("sk-test-5f0c9e1d2b7a4e83a6c1");

inline AppConfig configFor(const FakeChatServer& server)
{
    AppConfig config;
    config.apiKey = testKey;
    config.baseURL = server.baseURL();
    return config;
}

// The AI error a task fails with; none when it succeeds or fails otherwise.
template <class T> std::optional<AIError> aiErrorOf(QCoro::Task<T> task)
{
    try {
        awaitTask(std::move(task));
    } catch (const AIError& error) {
        return error;
    } catch (...) {
    }
    return std::nullopt;
}

template <class T> std::optional<AIError::Kind> kindOf(QCoro::Task<T> task)
{
    const std::optional<AIError> error = aiErrorOf(std::move(task));
    if (!error) return std::nullopt;
    return error->kind();
}

// Everything a stream emitted.
class StreamRecorder {
public:
    explicit StreamRecorder(ChatStream* stream) : m_stream(stream)
    {
        QObject::connect(stream, &ChatStream::textReceived, [this](const QString& text) {
            texts.append(text);
            if (onText) onText();
        });
        QObject::connect(stream, &ChatStream::finished, [this] {
            ++endings;
            finished = true;
        });
        QObject::connect(stream, &ChatStream::failed, [this](const QString& message) {
            ++endings;
            failure = message;
        });
    }
    ~StreamRecorder() { delete m_stream; }

    ChatStream* stream() const { return m_stream; }
    bool waitForEnd() const
    {
        return FakeChatServer::waitFor([this] { return endings > 0; });
    }

    QStringList texts;
    bool finished = false;
    std::optional<QString> failure;
    int endings = 0;
    std::function<void()> onText;

private:
    ChatStream* m_stream;
};

} // namespace glossivo::testing
