#include "card/AskSession.h"

#include "ai/ChatStream.h"
#include "card/SaveFailure.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"

namespace glossivo {

namespace {

const char* const systemText = "你是一位耐心的英语老师。学生是中文母语的成年人，英语大约初中水平，"
                               "主要读 Reddit、论坛和技术文档，有 ADHD，长段文字容易看不进去。\n"
                               "用简体中文回答，要求：\n"
                               "- 简短、直接，先给结论，一般不超过 200 字\n"
                               "- 多用具体例子，少用语法术语；必须用术语时顺便用一句大白话解释\n"
                               "- 如果是网络俚语或口语，说明在什么场合用、正式场合该怎么说\n"
                               "- 可以用 **加粗** 和 - 列表，不要用标题、表格和 emoji";

bool isUnanswered(const AskSession::Message& turn)
{
    return !turn.isUser && turn.text.trimmed().isEmpty();
}

} // namespace

AskSession::AskSession(WordStore& words, ConfigSource config, const Clock& clock, QObject* parent)
    : QObject(parent), m_words(words), m_config(std::move(config)), m_clock(clock)
{}

AskSession::AskSession(QObject* parent)
    : AskSession(
          WordStore::shared(), [] { return ConfigStore::shared().config(); }, Clock::system(),
          parent)
{}

AskSession::~AskSession()
{
    dropStream();
}

const QString& AskSession::systemPrompt()
{
    static const QString prompt = QString::fromUtf8(systemText);
    return prompt;
}

QString AskSession::contextText(const AskContext& context)
{
    QString text = QStringLiteral("我在看这段英文：\n") + context.original;
    if (context.translation && !context.translation->isEmpty())
        text += QStringLiteral("\n\n中文翻译：") + *context.translation;
    if (context.focusWord) text += QStringLiteral("\n\n我想重点了解的词：") + *context.focusWord;
    return text + QStringLiteral("\n\n下面是我的问题。");
}

AskSession::ChatMessages AskSession::request(const AskContext& context, const QList<Message>& turns,
                                             const QString& question)
{
    ChatMessages chat{{QStringLiteral("system"), systemPrompt()},
                      {QStringLiteral("user"), contextText(context)}};
    for (qsizetype i = 0; i < turns.size(); ++i) {
        const Message& turn = turns.at(i);
        const bool answered = i + 1 >= turns.size() || !isUnanswered(turns.at(i + 1));
        if (isUnanswered(turn) || (turn.isUser && !answered)) continue;
        chat.append(
            {turn.isUser ? QStringLiteral("user") : QStringLiteral("assistant"), turn.text});
    }
    chat.append({QStringLiteral("user"), question});
    return chat;
}

void AskSession::setInput(const QString& input)
{
    if (input == m_input) return;
    m_input = input;
    Q_EMIT inputChanged();
}

QString AskSession::saveLabel() const
{
    if (m_context.focusWord)
        return QStringLiteral("存到「") + *m_context.focusWord + QStringLiteral("」");
    return QStringLiteral("存为句子笔记");
}

void AskSession::start(const AskContext& context, std::optional<QuickQuestion> question)
{
    dropStream();
    m_context = context;
    m_messages.clear();
    setInput(QString());
    setError(QString());
    m_savedIDs.clear();
    setAnswering(false);
    Q_EMIT contextChanged();
    Q_EMIT messagesChanged();
    Q_EMIT savedChanged();
    if (question) send(promptOf(*question, m_context), titleOf(*question));
}

void AskSession::send(const std::optional<QString>& text, const std::optional<QString>& shown)
{
    const QString question = text.value_or(m_input).trimmed();
    if (question.isEmpty() || m_isAnswering) return;
    if (!text) setInput(QString());
    setError(QString());

    const ChatMessages chat = request(m_context, m_messages, question);
    m_messages.append({QUuid::createUuid(), true, shown.value_or(question)});
    const QUuid answer = QUuid::createUuid();
    m_messages.append({answer, false, QString()});
    Q_EMIT messagesChanged();

    setAnswering(true);
    m_task = DeepSeekClient(m_config()).streamChat(chat, kTemperature, this);
    connect(m_task, &ChatStream::textReceived, this,
            [this, answer](const QString& piece) { receive(answer, piece); });
    connect(m_task, &ChatStream::finished, this, &AskSession::finish);
    connect(m_task, &ChatStream::failed, this,
            [this, answer](const QString& message) { fail(answer, message); });
}

void AskSession::stop()
{
    dropStream();
    setAnswering(false);
}

void AskSession::receive(const QUuid& turn, const QString& piece)
{
    const qsizetype index = indexOf(turn);
    if (index < 0) {
        // The turn is gone with the chat it belonged to; its answer ends here.
        stop();
        return;
    }
    m_messages[index].text += piece;
    Q_EMIT messagesChanged();
}

void AskSession::finish()
{
    dropStream();
    setAnswering(false);
}

void AskSession::fail(const QUuid& turn, const QString& message)
{
    dropStream();
    const qsizetype index = indexOf(turn);
    // A question that got nothing back leaves no trace, so it can be asked again; a partial
    // answer stays.
    if (index > 0 && m_messages.at(index).text.isEmpty()) {
        m_messages.remove(index - 1, 2);
        Q_EMIT messagesChanged();
    }
    setError(message);
    setAnswering(false);
}

void AskSession::save(const QUuid& turn)
{
    const qsizetype index = indexOf(turn);
    if (index < 0 || m_messages.at(index).isUser) return;

    AINote note;
    note.id = QUuid::createUuid();
    note.question = index > 0 ? m_messages.at(index - 1).text : QString();
    note.answer = m_messages.at(index).text;
    note.original = m_context.original;
    note.translation = m_context.translation;
    if (m_context.source) {
        note.sourceApp = m_context.source->app;
        note.sourceURL = m_context.source->url;
        note.sourceTitle = m_context.source->title;
    }
    note.addedAt = m_clock.now();

    if (!storeNote(note)) {
        setError(SaveFailure::message());
        return;
    }
    m_savedIDs.insert(turn);
    Q_EMIT savedChanged();
}

bool AskSession::storeNote(const AINote& note)
{
    // The word book keeps what it could not write in memory and tries again later; a note
    // counts as saved only once it is on disk.
    const auto written = [this](const char* document) {
        return !m_words.failedDocuments().contains(QLatin1String(document));
    };
    if (!m_context.focusWord) {
        m_words.addSentenceNote(note);
        return written("notes.json");
    }
    const QString& word = *m_context.focusWord;
    if (!m_words.index(word) && m_context.explanation) {
        m_words.save(*m_context.explanation, m_context.source.value_or(PageSource()));
        if (!written("words.json")) return false;
    }
    if (m_words.index(word)) {
        m_words.addNote(note, word);
        return written("words.json");
    }
    m_words.addSentenceNote(note);
    return written("notes.json");
}

void AskSession::dropStream()
{
    if (!m_task) return;
    ChatStream* task = m_task;
    m_task = nullptr;
    disconnect(task, nullptr, this, nullptr);
    task->cancel();
    // It may be in the middle of emitting the signal that brought us here.
    task->deleteLater();
}

qsizetype AskSession::indexOf(const QUuid& turn) const
{
    for (qsizetype i = 0; i < m_messages.size(); ++i)
        if (m_messages.at(i).id == turn) return i;
    return -1;
}

void AskSession::setAnswering(bool answering)
{
    if (answering == m_isAnswering) return;
    m_isAnswering = answering;
    Q_EMIT answeringChanged();
}

void AskSession::setError(const QString& error)
{
    if (error == m_error) return;
    m_error = error;
    Q_EMIT errorChanged();
}

} // namespace glossivo
