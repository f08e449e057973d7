#pragma once

#include "model/Rating.h"
#include "model/ReviewOutcome.h"
#include "model/WordStore.h"
#include "review/Delay.h"
#include "review/ReviewPhase.h"
#include "review/ReviewQuestion.h"
#include "review/SpellingGrade.h"

#include <QObject>
#include <QSet>

#include <chrono>
#include <functional>
#include <optional>

namespace glossivo {

// One round of practice over words the word book chooses: a recognition review (reveal, then
// rate recall) with a spelling question after every word rated good or easy, or a round of
// spelling practice. Every answer reaches the word book through its operations; the session
// keeps only the queue, the position in it, what is being typed and the round's statistics.
// Main thread only; every change is announced by changed().
class ReviewSession : public QObject {
    Q_OBJECT

public:
    using Phase = ReviewPhase;
    using Speak = std::function<void(const QString&)>;

    static constexpr int kSpellingRoundSize = 10;
    // How long a clean correct spelling stays on screen before the round moves on by itself.
    static constexpr std::chrono::milliseconds kAdvancePause{1200};
    static constexpr int kRestDays = 7;

    // The delay times the advance after a clean spelling; speak says a word aloud (none: the
    // session stays silent).
    ReviewSession(WordStore& store, Delay& delay, Speak speak = {}, QObject* parent = nullptr);

    // Starting a round; a round under way is replaced.
    // A recognition review of the word book's next round, with up to extraNew more new words.
    void start(int extraNew);
    // Spelling practice of up to ten words of the spelling list.
    void startSpelling();

    // The round as the views show it.
    const QList<ReviewQuestion>& queue() const { return m_queue; }
    // Equals queue().size() once the round is finished.
    qsizetype index() const { return m_index; }
    const Phase& phase() const { return m_phase; }
    // Null past the last question.
    const ReviewQuestion* current() const;
    // The current question's word as the word book holds it now, or the question's own copy
    // when the word has been deleted.
    std::optional<WordEntry> liveEntry() const;
    const QString& input() const { return m_input; }
    const QString& copyInput() const { return m_copyInput; }
    int hintsUsed() const { return m_hintsUsed; }
    bool isSpellingPractice() const { return m_isSpellingPractice; }

    // The round's statistics.
    int remembered() const { return m_remembered; }     // recognition rated hard or better
    int forgot() const { return m_forgot; }             // recognition rated again
    int spelledRight() const { return m_spelledRight; } // spelling graded hard or good
    const QStringList& graduatedWords() const { return m_graduatedWords; }
    const QStringList& spellLevelUps() const { return m_spellLevelUps; }
    // The outcome of the last recognition rating, until the round moves on.
    ReviewOutcome lastOutcome() const { return m_lastOutcome; }

    // Answering. Each acts only in the phase it belongs to; a repeated key press does nothing.
    // Shows the answer of a recognition question that is being asked.
    void reveal();
    // Rates a revealed recognition answer. Again asks the word once more at the end of the
    // round (once per round); good or easy puts a spelling question right after it, except for
    // slang and for a word deleted meanwhile. A graduation or a new leech stays on screen until
    // next(); otherwise the round moves on at once.
    void rate(Rating rating);
    // Grades what was typed for a spelling question. In spelling practice a miss asks the word
    // once more at the end, one mode easier. A clean correct answer moves on by itself after
    // kAdvancePause unless the round has moved on by then.
    void submit();
    // Gives one more correct letter of the answer and counts the hint.
    void giveLetter();
    // Moves on from a graded or rated answer.
    void next();
    // Sends the word of the revealed question to rest for a week, drops its questions still to
    // come and moves on.
    void restCurrentWord();
    void setInput(const QString& text);
    void setCopyInput(const QString& text);

    // The verdict on a typed answer, with this question's hints counted; changes nothing.
    SpellingGrade grade(const QString& typed, const ReviewQuestion& question) const;

    // Whether a word rated good or easy is worth a spelling question: slang is not spelled.
    static bool spellsAfterRecognition(const WordEntry& entry);

Q_SIGNALS:
    void changed();

private:
    const WordEntry* stored(const QUuid& wordId) const;
    QList<ReviewQuestion> questions(const QList<QUuid>& ids,
                                    ReviewQuestion (*build)(const WordEntry&)) const;
    void begin(QList<ReviewQuestion> questions);
    void advance();
    void apply(Rating rating, const ReviewQuestion& question);
    void requeue(const QUuid& wordId, ReviewQuestion (*build)(const WordEntry&));
    void resetInput();
    void speakIfDictation();
    void say(const QString& text) const;
    void advanceLater(const QUuid& gradedQuestion);

    QList<ReviewQuestion> m_queue;
    qsizetype m_index = 0;
    Phase m_phase = Phase::empty();
    QString m_input;
    QString m_copyInput;
    int m_hintsUsed = 0;
    int m_remembered = 0;
    int m_forgot = 0;
    int m_spelledRight = 0;
    QStringList m_graduatedWords;
    QStringList m_spellLevelUps;
    ReviewOutcome m_lastOutcome = ReviewOutcome::normal;
    bool m_isSpellingPractice = false;
    QSet<QUuid> m_retried; // words already asked again in this round
    // Changes whenever the current question does (a new round, a step forward), so that a
    // delayed advance can tell that the round has moved on without it.
    quint64 m_step = 0;

    WordStore& m_store;
    Delay& m_delay;
    Speak m_speak;
};

} // namespace glossivo
