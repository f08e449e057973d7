#pragma once

#include "ai/DeepSeekClient.h"
#include "card/AskContext.h"
#include "card/QuickQuestion.h"
#include "model/AppConfig.h"
#include "model/Clock.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUuid>

#include <functional>
#include <optional>

namespace glossivo {

class ChatStream;
class WordStore;

// A conversation with the AI service about a passage the user is reading, from a word card or
// a translation card. Answers stream into the chat one at a time, and an answer can be kept as
// a note: on the word the chat is about, or as a sentence note. One session serves every chat;
// start() begins the next.
class AskSession : public QObject {
    Q_OBJECT

public:
    struct Message {
        QUuid id;
        bool isUser = false;
        QString text;

        bool operator==(const Message&) const = default;
    };

    using ConfigSource = std::function<AppConfig()>;
    using ChatMessages = QList<DeepSeekClient::ChatMessage>;

    // The configuration is read when an answer starts; that answer keeps using it.
    AskSession(WordStore& words, ConfigSource config, const Clock& clock,
               QObject* parent = nullptr);
    // Over the process's word book and configuration.
    explicit AskSession(QObject* parent = nullptr);
    ~AskSession() override;

    const AskContext& context() const { return m_context; }
    const QList<Message>& messages() const { return m_messages; }
    // The window's text field.
    const QString& input() const { return m_input; }
    void setInput(const QString& input);
    bool isAnswering() const { return m_isAnswering; }
    // The last failure's sentence; empty when there is none.
    const QString& error() const { return m_error; }
    // The AI turns kept as notes.
    const QSet<QUuid>& savedIDs() const { return m_savedIDs; }
    // The label of the save button under an AI turn.
    QString saveLabel() const;

    // A new chat about the context, dropping the previous one and any answer still running;
    // with a question, its prompt is sent at once under its title.
    void start(const AskContext& context, std::optional<QuickQuestion> question = std::nullopt);
    // Sends the typed input (no text) or a preset question's prompt shown under its title.
    // Blank text, or a send while an answer runs, is ignored.
    void send(const std::optional<QString>& text = std::nullopt,
              const std::optional<QString>& shown = std::nullopt);
    // Ends the running answer; what arrived of it stays.
    void stop();
    // Keeps an AI turn as a note, saving the word first when it is not in the word book yet.
    // A note that could not be written is reported in error() and the turn is not marked.
    void save(const QUuid& turn);

    // What the service is told before the conversation.
    static const QString& systemPrompt();
    static QString contextText(const AskContext& context);
    // The whole request for a question after the turns on screen. A turn that never got an
    // answer (stopped before its first piece) is left out with its question: the service
    // refuses an empty assistant message, and it did not answer that question.
    static ChatMessages request(const AskContext& context, const QList<Message>& turns,
                                const QString& question);

    static constexpr double kTemperature = 0.5;

Q_SIGNALS:
    void contextChanged();
    void messagesChanged();
    void inputChanged();
    void answeringChanged();
    void errorChanged();
    void savedChanged();

private:
    void receive(const QUuid& turn, const QString& piece);
    void finish();
    void fail(const QUuid& turn, const QString& message);
    // Cancels the running answer, if any; it sends nothing more.
    void dropStream();
    qsizetype indexOf(const QUuid& turn) const;
    void setAnswering(bool answering);
    void setError(const QString& error);
    bool storeNote(const AINote& note);

    WordStore& m_words;
    ConfigSource m_config;
    const Clock& m_clock;

    AskContext m_context;
    QList<Message> m_messages;
    QString m_input;
    bool m_isAnswering = false;
    QString m_error;
    QSet<QUuid> m_savedIDs;
    QPointer<ChatStream> m_task;
};

} // namespace glossivo
