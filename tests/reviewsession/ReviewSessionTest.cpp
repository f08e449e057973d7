#include "FakeDelay.h"

#include "model/WordBookFixture.h"
#include "review/ReviewSession.h"

#include <QSignalSpy>

using namespace glossivo;
using glossivo::testing::FakeDelay;
using glossivo::testing::WordBookFixture;
using Kind = ReviewPhase::Kind;

namespace {

class ReviewSessionTest : public WordBookFixture {
protected:
    // Learning words, never reviewed: the word book asks them in the order given.
    void openWith(const QList<WordEntry>& words)
    {
        open(words);
        session = std::make_unique<ReviewSession>(
            *store, delay, [this](const QString& text) { spoken.append(text); });
    }

    WordEntry spelled(const QString& headword, int level) const
    {
        WordEntry entry = word(headword);
        entry.spellPractice = true;
        entry.spellLevel = level;
        return entry;
    }

    WordEntry dueWithLapses(const QString& headword, int lapses) const
    {
        WordEntry entry = learning(headword);
        entry.review = ReviewState{3, 5, clock.now(), clock.now().addDays(-3), 4, lapses, 2};
        return entry;
    }

    QStringList headwords() const
    {
        QStringList words;
        for (const ReviewQuestion& question : session->queue())
            words.append(question.entry.headword);
        return words;
    }

    QString currentWord() const { return session->current()->entry.headword; }
    std::optional<SpellMode> currentMode() const { return session->current()->type.spellMode(); }

    void reveal() { session->reveal(); }
    void answer(Rating rating)
    {
        session->reveal();
        session->rate(rating);
    }
    void spell(const QString& typed)
    {
        session->setInput(typed);
        session->submit();
    }

    // The word book's state on disk, by headword.
    WordEntry onDisk(const QString& headword) const
    {
        for (const WordEntry& stored : wordsOnDisk())
            if (stored.headword == headword) return stored;
        throw std::runtime_error("not on disk");
    }

    FakeDelay delay;
    QStringList spoken;
    std::unique_ptr<ReviewSession> session;
};

} // namespace

TEST_F(ReviewSessionTest, aRoundWithNothingToAskIsEmpty)
{
    config.dailyNewLimit = 0;
    openWith({word("ferry")});
    for (const bool spelling : {false, true}) {
        spelling ? session->startSpelling() : session->start(0);
        EXPECT_EQ(session->phase(), ReviewPhase::empty());
        EXPECT_EQ(session->index(), 0);
        EXPECT_TRUE(session->queue().isEmpty());
        EXPECT_EQ(session->current(), nullptr);
        EXPECT_EQ(session->isSpellingPractice(), spelling);
    }
}

TEST_F(ReviewSessionTest, aRecognitionRoundWithItsSpellingFollowUps)
{
    openWith({learning("ferry"), learning("harbour")});
    QSignalSpy changes(session.get(), &ReviewSession::changed);
    session->start(0);
    ASSERT_EQ(headwords(), (QStringList{"ferry", "harbour"}));
    EXPECT_EQ(session->phase(), ReviewPhase::asking());
    EXPECT_FALSE(session->isSpellingPractice());
    EXPECT_FALSE(currentMode());

    reveal();
    EXPECT_EQ(session->phase(), ReviewPhase::revealed(false, std::nullopt, std::nullopt));
    session->rate(Rating::hard); // no spelling after hard
    EXPECT_EQ(session->index(), 1);
    EXPECT_EQ(headwords(), (QStringList{"ferry", "harbour"}));

    answer(Rating::good); // spelling right after it, at the word's level
    EXPECT_EQ(headwords(), (QStringList{"ferry", "harbour", "harbour"}));
    EXPECT_EQ(currentWord(), "harbour");
    EXPECT_EQ(currentMode(), SpellMode::copy);
    EXPECT_EQ(session->phase(), ReviewPhase::asking());

    spell("harbour");
    EXPECT_EQ(session->phase(), ReviewPhase::revealed(true, Rating::good, std::nullopt));
    EXPECT_EQ(spoken, QStringList{"harbour"});
    EXPECT_EQ(delay.pauses, QList{ReviewSession::kAdvancePause});
    delay.elapse(); // a clean correct answer moves on by itself
    EXPECT_EQ(session->phase(), ReviewPhase::finished());
    EXPECT_EQ(session->index(), session->queue().size());
    EXPECT_EQ(session->current(), nullptr);

    EXPECT_EQ(session->remembered(), 2);
    EXPECT_EQ(session->forgot(), 0);
    EXPECT_EQ(session->spelledRight(), 1);
    EXPECT_EQ(session->spellLevelUps(), QStringList{"harbour"});
    EXPECT_GT(changes.size(), 5);
    EXPECT_EQ(logged(), (QStringList{"review hard", "review good", "spell 看一眼再写 good"}));
    EXPECT_EQ(onDisk("harbour").spellLevel, 1);
    EXPECT_EQ(onDisk("harbour").review->reps, 1);
    EXPECT_EQ(onDisk("ferry").review->reps, 1);
    EXPECT_FALSE(onDisk("ferry").spellLevel);
}

TEST_F(ReviewSessionTest, slangAndWordsDeletedMeanwhileGetNoSpellingQuestion)
{
    WordEntry ngl = learning("ngl");
    ngl.register_ = Register::slang;
    openWith({ngl, learning("ferry"), learning("harbour")});
    session->start(0);
    ASSERT_EQ(headwords(), (QStringList{"ngl", "ferry", "harbour"}));
    answer(Rating::easy);
    EXPECT_EQ(currentWord(), "ferry");

    store->deleteWord(session->queue()[1].entry.id);
    store->deleteWord(session->queue()[2].entry.id);
    EXPECT_EQ(session->liveEntry()->headword, "ferry"); // the question's own copy
    answer(Rating::good);
    answer(Rating::again);
    EXPECT_EQ(headwords(), (QStringList{"ngl", "ferry", "harbour"}));
    EXPECT_EQ(session->phase(), ReviewPhase::finished());
    EXPECT_EQ(session->remembered(), 2);
    EXPECT_EQ(session->forgot(), 1);
    EXPECT_EQ(logged(), QStringList{"review easy"}); // nothing reached the deleted words
}

// The "more new words" button asks for five beyond the day's quota; the card of a question shows
// the word as it stands now, not as it stood when the round was built.
TEST_F(ReviewSessionTest, extraNewWordsJoinTheRoundAndTheLiveEntryFollowsTheWordBook)
{
    config.dailyNewLimit = 0;
    QList<WordEntry> words;
    for (const char* headword : {"ferry", "harbour", "quay", "pier", "wharf", "dock", "berth"})
        words.append(word(headword));
    openWith(words);
    session->start(5);
    ASSERT_EQ(session->queue().size(), 5);
    qsizetype learningOnDisk = 0;
    for (const WordEntry& stored : wordsOnDisk())
        learningOnDisk += stored.stage == Stage::learning ? 1 : 0;
    EXPECT_EQ(learningOnDisk, 5);

    const QUuid asked = session->current()->entry.id;
    store->setSpellPractice(asked, true);
    EXPECT_EQ(session->liveEntry()->spellPractice, true);
    EXPECT_FALSE(session->current()->entry.spellPractice);
    EXPECT_EQ(session->liveEntry()->id, asked);
}

TEST_F(ReviewSessionTest, aForgottenWordIsAskedOnceMoreAtTheEnd)
{
    openWith({learning("ferry"), learning("harbour")});
    session->start(0);
    answer(Rating::again);
    EXPECT_EQ(headwords(), (QStringList{"ferry", "harbour", "ferry"}));
    EXPECT_NE(session->queue()[2].id, session->queue()[0].id);
    EXPECT_EQ(session->queue()[2].type, QuestionType::recognize());
    answer(Rating::hard);
    answer(Rating::again); // the second miss of the round adds nothing
    EXPECT_EQ(headwords(), (QStringList{"ferry", "harbour", "ferry"}));
    EXPECT_EQ(session->phase(), ReviewPhase::finished());
    EXPECT_EQ(session->forgot(), 2);
    EXPECT_EQ(session->remembered(), 1);
    EXPECT_EQ(onDisk("ferry").review->reps, 2);
}

TEST_F(ReviewSessionTest, aSpellingMissIsAskedAgainOneModeEasier)
{
    const std::vector<std::pair<int, SpellMode>> cases{{2, SpellMode::fill}, {0, SpellMode::copy}};
    for (const auto& [level, repeat] : cases) {
        openWith({spelled("harbour", level)});
        session->startSpelling();
        EXPECT_TRUE(session->isSpellingPractice());
        spell("hxxxxxr");
        EXPECT_EQ(session->phase().rating, Rating::again);
        EXPECT_EQ(delay.pending(), 0); // a miss waits for the learner
        ASSERT_EQ(session->queue().size(), 2);
        EXPECT_EQ(session->queue()[1].type, QuestionType::spell(repeat));
        session->next();
        spell("");
        EXPECT_EQ(session->queue().size(), 2); // once per round
        session->next();
        EXPECT_EQ(session->phase(), ReviewPhase::finished());
        EXPECT_EQ(session->spelledRight(), 0);
        EXPECT_EQ(onDisk("harbour").spellLevel, std::max(level - 2, 0));
    }
}

TEST_F(ReviewSessionTest, aSpellingMissInARecognitionReviewIsNotAskedAgain)
{
    openWith({learning("harbour")});
    session->start(0);
    answer(Rating::good);
    spell("harb");
    EXPECT_EQ(session->phase(),
              ReviewPhase::revealed(true, Rating::again, QStringLiteral("跟着打一遍，手会记住它")));
    EXPECT_EQ(session->queue().size(), 2);
    session->next();
    EXPECT_EQ(session->phase(), ReviewPhase::finished());
}

TEST_F(ReviewSessionTest, aGraduationOrANewLeechStaysOnScreenUntilContinued)
{
    openWith({dueWithLapses("harbour", 3), dueWithLapses("ferry", 0)});
    session->start(0);
    ASSERT_EQ(headwords(), (QStringList{"harbour", "ferry"}));

    answer(Rating::again);
    EXPECT_EQ(session->lastOutcome(), ReviewOutcome::becameLeech);
    EXPECT_EQ(session->phase(), ReviewPhase::revealed(true, Rating::again, std::nullopt));
    session->rate(Rating::good); // already rated
    EXPECT_EQ(session->index(), 0);
    session->next();
    EXPECT_EQ(session->lastOutcome(), ReviewOutcome::normal);

    config.graduateDays = 0; // the word book reads it at every operation
    answer(Rating::good);
    EXPECT_EQ(session->lastOutcome(), ReviewOutcome::graduated);
    EXPECT_EQ(session->graduatedWords(), QStringList{"ferry"});
    EXPECT_EQ(session->phase(), ReviewPhase::revealed(true, Rating::good, std::nullopt));
    session->next();
    EXPECT_EQ(currentMode(), SpellMode::copy); // the follow-up of the graduated word
    EXPECT_EQ(currentWord(), "ferry");
    EXPECT_EQ(onDisk("ferry").stage, Stage::mastered);
}

TEST_F(ReviewSessionTest, aRestedWordLosesItsQuestionsStillToCome)
{
    openWith({dueWithLapses("harbour", 3), dueWithLapses("ferry", 0)});
    session->start(0);
    answer(Rating::again); // a new leech, asked again at the end
    ASSERT_EQ(headwords(), (QStringList{"harbour", "ferry", "harbour"}));
    session->restCurrentWord();
    EXPECT_EQ(headwords(), (QStringList{"harbour", "ferry"}));
    EXPECT_EQ(currentWord(), "ferry");
    EXPECT_EQ(session->phase(), ReviewPhase::asking());
    EXPECT_EQ(session->lastOutcome(), ReviewOutcome::normal);
    EXPECT_EQ(onDisk("harbour").stage, Stage::resting);
    EXPECT_EQ(onDisk("harbour").restUntil, clock.now().addDays(7));
    EXPECT_EQ(logged().last(), "rest");
}

TEST_F(ReviewSessionTest, restingAWordAskedAgainDoesNotSkipTheNextQuestion)
{
    openWith({learning("ferry"), learning("harbour")});
    session->start(0);
    answer(Rating::again);
    answer(Rating::again);
    ASSERT_EQ(headwords(), (QStringList{"ferry", "harbour", "ferry", "harbour"}));
    reveal(); // the repeat of ferry: rest skips its rating
    session->restCurrentWord();
    EXPECT_EQ(session->index(), 3);
    EXPECT_EQ(currentWord(), "harbour");
    EXPECT_EQ(session->phase(), ReviewPhase::asking());
    EXPECT_EQ(session->forgot(), 2);

    session->restCurrentWord(); // only from a revealed answer
    EXPECT_EQ(currentWord(), "harbour");
}

TEST_F(ReviewSessionTest, aSecondContinueOrALateAdvanceNeverSkipsAQuestion)
{
    openWith({spelled("ferry", 0), spelled("harbour", 0), spelled("island", 0)});
    session->startSpelling();
    spell("ferry");
    ASSERT_EQ(delay.pending(), 1);
    session->next(); // the learner is quicker than the advance
    session->next(); // and presses twice
    EXPECT_EQ(session->index(), 1);
    spell("harbour");
    delay.elapse(); // the first advance is late; the second one acts
    EXPECT_EQ(session->index(), 2);
    EXPECT_EQ(session->phase(), ReviewPhase::asking());

    spell("island");
    session->startSpelling(); // a new round before the advance
    delay.elapse();
    EXPECT_EQ(session->index(), 0);
    EXPECT_EQ(session->phase(), ReviewPhase::asking());

    spell(session->current()->answer);
    session.reset(); // the window went away with its session
    delay.elapse();
}

TEST_F(ReviewSessionTest, operationsOutsideTheirPhaseAreIgnored)
{
    openWith({spelled("harbour", 0)});
    session->startSpelling();
    session->rate(Rating::good); // nothing revealed
    session->reveal();           // a spelling question is typed, not revealed
    session->next();             // nothing graded
    EXPECT_EQ(session->phase(), ReviewPhase::asking());
    spell("harbour");
    spell("harbour"); // already graded
    EXPECT_EQ(logged(), QStringList{"spell 看一眼再写 good"});

    openWith({learning("ferry")});
    session->start(0);
    spell("ferry"); // a recognition question is not typed
    session->giveLetter();
    EXPECT_EQ(session->phase(), ReviewPhase::asking());
    EXPECT_EQ(session->hintsUsed(), 0);
    EXPECT_EQ(logged(), QStringList{"spell 看一眼再写 good"});
}

TEST_F(ReviewSessionTest, letterHintsAreCountedAndMakeTheAnswerHard)
{
    openWith({spelled("spell", 1)});
    session->startSpelling();
    session->setInput("spx");
    session->giveLetter();
    EXPECT_EQ(session->input(), "spe");
    EXPECT_EQ(session->hintsUsed(), 1);
    session->setInput("spell");
    session->giveLetter(); // nothing left to give
    EXPECT_EQ(session->hintsUsed(), 1);
    session->submit();
    EXPECT_EQ(
        session->phase(),
        ReviewPhase::revealed(true, Rating::hard, QStringLiteral("用了 1 次提示，也算拼出来了")));
    EXPECT_EQ(delay.pending(), 0);
    EXPECT_EQ(session->spelledRight(), 1);
    EXPECT_TRUE(session->spellLevelUps().isEmpty());
    EXPECT_EQ(onDisk("spell").spellLevel, 1);
    session->next();
    EXPECT_EQ(session->hintsUsed(), 0);
    EXPECT_EQ(session->input(), "");
}

TEST_F(ReviewSessionTest, aDictationWordIsSpokenWhenAskedAndAgainWhenGraded)
{
    openWith({spelled("harbour", 4), spelled("ferry", 1)});
    session->startSpelling();
    ASSERT_EQ(currentMode(), SpellMode::dictation);
    EXPECT_EQ(spoken, QStringList{"harbour"});
    spell("harbor");
    EXPECT_EQ(spoken, (QStringList{"harbour", "harbour"}));
    session->next(); // fill mode: nothing said until it is graded
    EXPECT_EQ(spoken.size(), 2);
}

TEST_F(ReviewSessionTest, aSpellingMissOnAWordDeletedMeanwhileIsNotAskedAgain)
{
    openWith({spelled("harbour", 2)});
    session->startSpelling();
    store->deleteWord(session->current()->entry.id);
    const QStringList before = logged();
    spell("hxxxxxr");
    EXPECT_EQ(session->phase().rating, Rating::again);
    EXPECT_EQ(session->queue().size(), 1);
    EXPECT_EQ(logged(), before);
    EXPECT_TRUE(wordsOnDisk().isEmpty());
}
