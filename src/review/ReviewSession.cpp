#include "review/ReviewSession.h"

#include <QPointer>

namespace glossivo {

ReviewSession::ReviewSession(WordStore& store, Delay& delay, Speak speak, QObject* parent)
    : QObject(parent), m_store(store), m_delay(delay), m_speak(std::move(speak))
{}

void ReviewSession::start(int extraNew)
{
    const QList<QUuid> ids = m_store.buildSession(extraNew);
    m_isSpellingPractice = false;
    begin(questions(ids, &ReviewQuestion::make));
}

void ReviewSession::startSpelling()
{
    const QList<QUuid> ids = m_store.buildSpellingSession(kSpellingRoundSize);
    m_isSpellingPractice = true;
    begin(questions(ids, &ReviewQuestion::spelling));
}

const ReviewQuestion* ReviewSession::current() const
{
    return m_index < m_queue.size() ? &m_queue[m_index] : nullptr;
}

std::optional<WordEntry> ReviewSession::liveEntry() const
{
    const ReviewQuestion* question = current();
    if (!question) return std::nullopt;
    const WordEntry* word = stored(question->entry.id);
    return word ? *word : question->entry;
}

void ReviewSession::reveal()
{
    const ReviewQuestion* question = current();
    if (m_phase.kind != Phase::Kind::asking || !question || !question->type.isRecognize()) return;
    m_phase = Phase::revealed(false, std::nullopt, std::nullopt);
    emit changed();
}

void ReviewSession::rate(Rating rating)
{
    if (!m_phase.isRevealed() || m_phase.typed || m_phase.rating) return;
    const ReviewQuestion* question = current();
    if (!question) return;
    const ReviewQuestion rated = *question; // the queue may grow below
    apply(rating, rated);
    if ((rating == Rating::good || rating == Rating::easy) && spellsAfterRecognition(rated.entry))
        if (const WordEntry* word = stored(rated.entry.id))
            m_queue.insert(m_index + 1, ReviewQuestion::spelling(*word));

    if (m_lastOutcome == ReviewOutcome::normal) {
        advance();
        return;
    }
    m_phase = Phase::revealed(true, rating, std::nullopt);
    emit changed();
}

void ReviewSession::submit()
{
    const ReviewQuestion* question = current();
    if (m_phase.kind != Phase::Kind::asking || !question || !question->type.isSpell()) return;
    const ReviewQuestion graded = *question; // the queue may grow below
    const QUuid wordId = graded.entry.id;
    const SpellingGrade verdict = grade(m_input, graded);
    const WordEntry* before = stored(wordId);
    const int oldLevel = before ? before->spellLevel.value_or(0) : 0;
    const int newLevel = m_store.applySpelling(wordId, verdict.rating);
    if (verdict.rating != Rating::again) ++m_spelledRight;
    if (oldLevel < newLevel) m_spellLevelUps.append(graded.entry.headword);
    // The word book has already lowered the level, so the repeat comes one mode easier.
    if (verdict.rating == Rating::again && m_isSpellingPractice)
        requeue(wordId, &ReviewQuestion::spelling);
    m_phase = Phase::revealed(true, verdict.rating, verdict.message);
    emit changed();

    say(graded.answer);
    if (verdict.rating == Rating::good && !verdict.message) advanceLater(graded.id);
}

void ReviewSession::giveLetter()
{
    const ReviewQuestion* question = current();
    if (m_phase.kind != Phase::Kind::asking || !question || !question->type.isSpell()) return;
    const auto hinted = SpellingGrade::withNextLetter(m_input, question->answer);
    if (!hinted) return;
    m_input = *hinted;
    ++m_hintsUsed;
    emit changed();
}

// Only from an answer that was graded or rated with an outcome to show: a second press of
// continue, or the delayed advance coming after it, must not skip the question that follows.
void ReviewSession::next()
{
    if (!m_phase.isRevealed() || !m_phase.typed) return;
    advance();
}

void ReviewSession::restCurrentWord()
{
    const ReviewQuestion* question = current();
    if (!m_phase.isRevealed() || !question) return;
    const QUuid wordId = question->entry.id;
    m_store.rest(wordId, kRestDays);
    // Only the questions still to come go. Questions already asked stay where they are: taking
    // one out would move the current question back, and the step below would then skip the
    // question that follows it.
    for (qsizetype i = m_queue.size() - 1; i > m_index; --i)
        if (m_queue[i].entry.id == wordId) m_queue.removeAt(i);
    advance();
}

void ReviewSession::setInput(const QString& text)
{
    if (text == m_input) return;
    m_input = text;
    emit changed();
}

void ReviewSession::setCopyInput(const QString& text)
{
    if (text == m_copyInput) return;
    m_copyInput = text;
    emit changed();
}

SpellingGrade ReviewSession::grade(const QString& typed, const ReviewQuestion& question) const
{
    return SpellingGrade::of(typed, question, m_hintsUsed);
}

bool ReviewSession::spellsAfterRecognition(const WordEntry& entry)
{
    return entry.register_ != Register::slang;
}

const WordEntry* ReviewSession::stored(const QUuid& wordId) const
{
    for (const WordEntry& entry : m_store.entries())
        if (entry.id == wordId) return &entry;
    return nullptr;
}

QList<ReviewQuestion> ReviewSession::questions(const QList<QUuid>& ids,
                                               ReviewQuestion (*build)(const WordEntry&)) const
{
    QList<ReviewQuestion> built;
    for (const QUuid& id : ids)
        if (const WordEntry* word = stored(id)) built.append(build(*word));
    return built;
}

void ReviewSession::begin(QList<ReviewQuestion> questions)
{
    m_queue = std::move(questions);
    m_index = 0;
    m_remembered = 0;
    m_forgot = 0;
    m_spelledRight = 0;
    m_graduatedWords.clear();
    m_spellLevelUps.clear();
    m_lastOutcome = ReviewOutcome::normal;
    m_retried.clear();
    resetInput();
    m_phase = m_queue.isEmpty() ? Phase::empty() : Phase::asking();
    ++m_step;
    emit changed();
    speakIfDictation();
}

void ReviewSession::advance()
{
    m_lastOutcome = ReviewOutcome::normal;
    ++m_index;
    resetInput();
    m_phase = m_index >= m_queue.size() ? Phase::finished() : Phase::asking();
    ++m_step;
    emit changed();
    speakIfDictation();
}

void ReviewSession::apply(Rating rating, const ReviewQuestion& question)
{
    m_lastOutcome = m_store.applyReview(question.entry.id, rating, QStringLiteral("review"));
    if (m_lastOutcome == ReviewOutcome::graduated) m_graduatedWords.append(question.entry.headword);
    if (rating == Rating::again) {
        ++m_forgot;
        requeue(question.entry.id, &ReviewQuestion::make);
    } else {
        ++m_remembered;
    }
}

// Once per word and round, and never for a word the word book no longer has.
void ReviewSession::requeue(const QUuid& wordId, ReviewQuestion (*build)(const WordEntry&))
{
    if (m_retried.contains(wordId)) return;
    const WordEntry* word = stored(wordId);
    if (!word) return;
    m_retried.insert(wordId);
    m_queue.append(build(*word));
}

void ReviewSession::resetInput()
{
    m_input.clear();
    m_copyInput.clear();
    m_hintsUsed = 0;
}

void ReviewSession::speakIfDictation()
{
    const ReviewQuestion* question = current();
    if (m_phase.kind == Phase::Kind::asking && question &&
        question->type == QuestionType::spell(SpellMode::dictation))
        say(question->answer);
}

void ReviewSession::say(const QString& text) const
{
    if (m_speak) m_speak(text);
}

void ReviewSession::advanceLater(const QUuid& gradedQuestion)
{
    const QPointer<ReviewSession> session(this);
    const quint64 step = m_step;
    m_delay.after(kAdvancePause, [session, step, gradedQuestion] {
        if (!session || session->m_step != step) return;
        const ReviewQuestion* question = session->current();
        if (question && question->id == gradedQuestion && session->m_phase.isRevealed())
            session->next();
    });
}

} // namespace glossivo
