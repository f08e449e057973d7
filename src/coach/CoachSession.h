#pragma once

#include "ai/DeepSeekClient.h"
#include "coach/CoachHistory.h"
#include "coach/CoachMessage.h"
#include "model/AppConfig.h"
#include "model/Clock.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

namespace glossivo {

class ChatStream;
class CoachFacts;

// The AI coach's conversation. Once a day it asks the AI service for a brief written from the
// learning record; after that the learner asks questions, typed or preset. Every answer streams
// into a placeholder message, and at most one answer streams at a time. Each day's conversation
// is kept in coach.json for thirty days. The session only reads the study data.
class CoachSession : public QObject {
    Q_OBJECT

public:
    using ConfigSource = std::function<AppConfig()>;
    using ChatMessages = QList<DeepSeekClient::ChatMessage>;

    // The configuration is read when an answer starts; that answer keeps using it.
    CoachSession(const QString& historyPath, const CoachFacts& facts, ConfigSource config,
                 const Clock& clock, QObject* parent = nullptr);
    // The process's session: coach.json of the data folder, the process's record and
    // configuration.
    explicit CoachSession(QObject* parent = nullptr);
    ~CoachSession() override;

    // The conversation on screen: today's, or the one being written.
    const QList<CoachMessage>& messages() const { return m_messages; }
    // The window's text field.
    const QString& input() const { return m_input; }
    void setInput(const QString& input);
    bool isAnswering() const { return m_isAnswering; }
    // The last failure's sentence; empty when there is none.
    const QString& error() const { return m_error; }
    const QList<CoachDay>& history() const { return m_history.days(); }

    // Each time the window is shown: today's stored conversation, or else a new daily brief
    // unless an answer is running.
    void open();
    // A new daily brief in place of what is on screen; a running answer is dropped first.
    void writeBriefing();
    // Sends the typed input (no text) or a preset question's request with its chip title, and
    // streams the reply. Blank text, or a send while an answer runs, is ignored.
    void send(const std::optional<QString>& text = std::nullopt,
              const std::optional<QString>& shown = std::nullopt);
    // The window's stop button: ends the answer, keeps what arrived and files the conversation.
    void stop();

    // The two messages of a daily brief.
    static ChatMessages briefingMessages(const QString& facts,
                                         const std::optional<CoachHistory::Briefing>& previous);

Q_SIGNALS:
    void messagesChanged();
    void inputChanged();
    void answeringChanged();
    void errorChanged();

private:
    QString todayKey() const;
    void setAnswering(bool answering);
    void setError(const QString& error);
    void stream(const ChatMessages& chat, qsizetype index);
    void receive(qsizetype index, const QString& piece);
    void finish();
    void fail(qsizetype index, const QString& message);
    // Cancels the running answer, if any; it sends nothing more.
    void dropStream();
    // Files the conversation under today's key.
    void save();

    CoachHistory m_history;
    const CoachFacts& m_facts;
    ConfigSource m_config;
    const Clock& m_clock;

    QList<CoachMessage> m_messages;
    QString m_input;
    bool m_isAnswering = false;
    QString m_error;
    QPointer<ChatStream> m_task;
};

} // namespace glossivo
