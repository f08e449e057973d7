#include "coach/CoachSession.h"

#include "ai/ChatStream.h"
#include "coach/CoachFacts.h"
#include "coach/CoachPrompts.h"
#include "coach/ConfigSecrets.h"
#include "model/AppPaths.h"
#include "model/ConfigStore.h"
#include "model/DayKey.h"

namespace glossivo {

CoachSession::CoachSession(const QString& historyPath, const CoachFacts& facts, ConfigSource config,
                           const Clock& clock, QObject* parent)
    : QObject(parent), m_history(historyPath), m_facts(facts), m_config(std::move(config)),
      m_clock(clock)
{}

CoachSession::CoachSession(QObject* parent)
    : CoachSession(
          AppPaths::shared().coach(), CoachFacts::shared(),
          [] { return ConfigStore::shared().config(); }, Clock::system(), parent)
{}

CoachSession::~CoachSession()
{
    dropStream();
}

CoachSession::ChatMessages
CoachSession::briefingMessages(const QString& facts,
                               const std::optional<CoachHistory::Briefing>& previous)
{
    return CoachPrompts::briefing(facts, previous);
}

void CoachSession::setInput(const QString& input)
{
    if (input == m_input) return;
    m_input = input;
    Q_EMIT inputChanged();
}

void CoachSession::open()
{
    setError(QString());
    const QList<CoachDay>& days = m_history.days();
    if (!days.isEmpty() && days.last().day == todayKey()) {
        if (!m_isAnswering) {
            m_messages = days.last().messages;
            Q_EMIT messagesChanged();
        }
        if (!m_messages.isEmpty()) return;
    } else if (m_isAnswering) {
        return;
    }
    writeBriefing();
}

void CoachSession::writeBriefing()
{
    dropStream();
    setError(QString());
    m_messages = {CoachMessage::placeholder()};
    Q_EMIT messagesChanged();
    const QString facts = m_facts.build(m_clock.now());
    stream(briefingMessages(facts, m_history.previousBriefing(todayKey())), 0);
}

void CoachSession::send(const std::optional<QString>& text, const std::optional<QString>& shown)
{
    const QString question = text.value_or(m_input).trimmed();
    if (question.isEmpty() || m_isAnswering) return;
    if (!text) setInput(QString());
    setError(QString());
    const ChatMessages chat =
        CoachPrompts::question(m_facts.build(m_clock.now()), m_messages, question);
    m_messages.append(CoachMessage::make(false, question, shown));
    m_messages.append(CoachMessage::placeholder());
    Q_EMIT messagesChanged();
    stream(chat, m_messages.size() - 1);
}

void CoachSession::stop()
{
    dropStream();
    setAnswering(false);
    save();
}

void CoachSession::stream(const ChatMessages& chat, qsizetype index)
{
    setAnswering(true);
    const AppConfig config = m_config();
    // The learner's own texts may hold a secret; none of them goes to the service.
    const QStringList secrets = ConfigSecrets::of(config);
    ChatMessages sent = chat;
    for (DeepSeekClient::ChatMessage& message : sent)
        message.content = ConfigSecrets::masked(message.content, secrets);

    m_task = DeepSeekClient(config).streamChat(sent, CoachPrompts::kTemperature, this);
    connect(m_task, &ChatStream::textReceived, this,
            [this, index](const QString& piece) { receive(index, piece); });
    connect(m_task, &ChatStream::finished, this, &CoachSession::finish);
    connect(m_task, &ChatStream::failed, this,
            [this, index](const QString& message) { fail(index, message); });
}

void CoachSession::receive(qsizetype index, const QString& piece)
{
    if (index < m_messages.size()) {
        m_messages[index].text += piece;
        Q_EMIT messagesChanged();
        return;
    }
    // The placeholder is gone: nothing removes one while its answer runs, but should it happen
    // the answer simply ends here.
    stop();
}

void CoachSession::finish()
{
    dropStream();
    setAnswering(false);
    save();
}

void CoachSession::fail(qsizetype index, const QString& message)
{
    dropStream();
    if (index < m_messages.size() && m_messages.at(index).text.isEmpty()) {
        m_messages.removeAt(index);
        // A typed question that got no answer goes back into the field for another try. A
        // preset one is still on its chip, and the field may hold a draft that must not be lost.
        if (index > 0 && !m_messages.at(index - 1).fromCoach) {
            const CoachMessage question = m_messages.takeAt(index - 1);
            if (!question.shown) setInput(question.text);
        }
        Q_EMIT messagesChanged();
    }
    setError(message);
    setAnswering(false);
    save();
}

void CoachSession::dropStream()
{
    if (!m_task) return;
    ChatStream* task = m_task;
    m_task = nullptr;
    disconnect(task, nullptr, this, nullptr);
    task->cancel();
    // It may be in the middle of emitting the signal that brought us here.
    task->deleteLater();
}

void CoachSession::save()
{
    m_history.record(todayKey(), m_messages);
}

QString CoachSession::todayKey() const
{
    return DayKey::of(m_clock.now());
}

void CoachSession::setAnswering(bool answering)
{
    if (answering == m_isAnswering) return;
    m_isAnswering = answering;
    Q_EMIT answeringChanged();
}

void CoachSession::setError(const QString& error)
{
    if (error == m_error) return;
    m_error = error;
    Q_EMIT errorChanged();
}

} // namespace glossivo
