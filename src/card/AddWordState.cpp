#include "card/AddWordState.h"

#include "ai/AIError.h"
#include "ai/DeepSeekClient.h"
#include "card/SaveProgress.h"
#include "model/Blanks.h"
#include "model/WordStore.h"

#include <QPointer>
#include <QRegularExpression>

namespace glossivo {

namespace {

bool hasHan(const QString& text)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return text.contains(han);
}

QString describe(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const AIError& error) {
        return error.errorDescription();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        // Nothing the client throws ends here; should it, the window still says something.
        return AIError::badResponse().errorDescription();
    }
}

} // namespace

AddWordState::AddWordState(WordStore& words, ConfigSource config, QObject* parent)
    : QObject(parent), m_words(words), m_config(std::move(config))
{
    // Queued: the word book announces a change before it makes it. A save made anywhere else
    // updates the note and the spelling control of the shown answer.
    connect(
        &m_words, &WordStore::willChange, this,
        [this] {
            if (m_result) Q_EMIT resultChanged();
        },
        Qt::QueuedConnection);
    connect(&m_words, &WordStore::saveStateChanged, this, [this] {
        if (m_unconfirmed) settle(m_unconfirmed->confirmation);
    });
}

bool AddWordState::canLookUp() const
{
    return !m_loading && !Blanks::trimmed(m_word).isEmpty();
}

std::optional<WordEntry> AddWordState::existing() const
{
    if (!m_result) return std::nullopt;
    // A word whose save waits or failed is in memory only: the window must not tell it apart as
    // one saved before.
    const QString& headword = m_result->explanation.headword;
    if (!m_words.isOnDisk(headword)) return std::nullopt;
    const auto found = m_words.index(headword);
    if (!found) return std::nullopt;
    return m_words.entries().at(*found);
}

bool AddWordState::inSpellPractice() const
{
    const std::optional<WordEntry> entry = existing();
    return entry && entry->spellPractice.value_or(false);
}

void AddWordState::setWord(const QString& word)
{
    if (word == m_word) return;
    m_word = word;
    Q_EMIT changed();
}

void AddWordState::setSentence(const QString& sentence)
{
    if (sentence == m_sentence) return;
    m_sentence = sentence;
    Q_EMIT changed();
}

void AddWordState::revealSentence()
{
    if (m_showSentence) return;
    m_showSentence = true;
    Q_EMIT changed();
}

void AddWordState::lookup(const QString& query)
{
    const QString trimmed = query.trimmed();
    if (trimmed.isEmpty() || m_loading) return;
    // An alternative's text replaces what was typed.
    m_word = trimmed;
    m_asked = trimmed;
    m_loading = true;
    m_error.clear();
    m_result.reset();
    m_lastSaved.clear();
    // A save not yet on disk is left to the word book, which writes it by itself or announces
    // that it could not.
    m_unconfirmed.reset();
    m_waiting = false;
    Q_EMIT changed();
    Q_EMIT resultChanged();
    run(trimmed, m_sentence.trimmed(), m_config());
}

QCoro::Task<> AddWordState::run(QString query, QString sentence, AppConfig config)
{
    QPointer<AddWordState> self(this);
    const DeepSeekClient client(std::move(config));
    std::optional<LookupResult> answer;
    std::exception_ptr failure;
    try {
        // The Chinese test looks at the query only: an English word is explained in a
        // sentence of any language.
        // Each awaited value is first given a name of its own: GCC 12 destroys a temporary
        // twice when co_await sits inside a braced initialiser.
        if (!sentence.isEmpty() && !hasHan(query)) {
            Explanation explanation = co_await client.explain(query, sentence);
            answer.emplace();
            answer->explanation = std::move(explanation);
        } else {
            LookupResult found = co_await client.lookup(query);
            answer = std::move(found);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self) co_return;
    // Only one lookup runs at a time, so the answer belongs to the last query asked.
    if (failure)
        m_error = describe(failure);
    else
        m_result = std::move(answer);
    m_loading = false;
    Q_EMIT changed();
    Q_EMIT resultChanged();
}

void AddWordState::save()
{
    if (!m_result || m_loading) return;
    const Explanation explanation = m_result->explanation;
    m_words.save(explanation, PageSource{QString::fromUtf8(kManualSource), {}, {}});
    // The headword of the answer: a corrected spelling is the one confirmed.
    settle(QStringLiteral("已保存 ") + explanation.headword);
}

void AddWordState::addSpelling()
{
    if (!m_result || m_loading) return;
    const Explanation explanation = m_result->explanation;
    m_words.addSpellPractice(explanation);
    settle(QStringLiteral("已加入常拼 ") + explanation.headword);
}

void AddWordState::settle(QString confirmation)
{
    // The word book keeps a write it could not make in memory; until it is on disk the window
    // must not claim the word is saved.
    const bool wasWaiting = m_waiting;
    const SaveProgress progress = saveProgress(m_words);
    m_waiting = progress == SaveProgress::waiting;
    if (progress == SaveProgress::saved) {
        const bool typedSince = m_unconfirmed && (m_unconfirmed->word != m_word ||
                                                  m_unconfirmed->sentence != m_sentence);
        m_unconfirmed.reset();
        if (!typedSince) {
            confirm(confirmation);
            return;
        }
        m_lastSaved = confirmation;
        m_error.clear();
    } else {
        if (!m_unconfirmed) m_unconfirmed = Unconfirmed{confirmation, m_word, m_sentence};
        m_unconfirmed->confirmation = confirmation;
        m_lastSaved.clear();
        m_error = m_waiting ? QString() : saveFailure(m_words);
    }
    Q_EMIT changed();
    // The answer's buttons wait with the save.
    if (m_waiting != wasWaiting) Q_EMIT resultChanged();
}

void AddWordState::confirm(const QString& confirmation)
{
    m_lastSaved = confirmation;
    reset();
}

void AddWordState::reset()
{
    m_word.clear();
    m_sentence.clear();
    m_error.clear();
    m_showSentence = false;
    m_result.reset();
    Q_EMIT changed();
    Q_EMIT resultChanged();
    Q_EMIT wordFocusRequested();
}

} // namespace glossivo
