#include "CardFixture.h"

#include "ai/AIError.h"
#include "ai/TransportError.h"

#include <QSignalSpy>

using namespace glossivo;
using glossivo::testing::CardFixture;
using glossivo::testing::FakeCardAI;

namespace {

const QPoint kPointer(400, 300);
const QString kContext = QStringLiteral("After the rain stopped, we ran home.");

class CardControllerTest : public CardFixture {};

TEST_F(CardControllerTest, ANewWordIsShownWithoutCountRecallOrRecord)
{
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    EXPECT_EQ(state(), CardState(CardState::Loading{QStringLiteral("ran")}));
    EXPECT_TRUE(surface.visible);
    ASSERT_EQ(ai.explains.size(), 1);
    EXPECT_EQ(ai.explains[0].context, kContext);

    ai.answer(0, explanation(QStringLiteral("run")));
    ASSERT_NE(word(), nullptr);
    EXPECT_EQ(word()->selection, QStringLiteral("ran"));
    EXPECT_EQ(word()->source, source);
    EXPECT_FALSE(word()->savedLookupCount);
    EXPECT_FALSE(word()->unlock);
    EXPECT_EQ(word()->recall, RecallState::off());
    EXPECT_TRUE(store->entries().isEmpty());
}

TEST_F(CardControllerTest, ASavedWordIsCountedAtEachLookupAndTheRepeatComesFromTheCache)
{
    saveWord(explanation(QStringLiteral("run")));
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    ai.answer(0, explanation(QStringLiteral("run")));
    ASSERT_NE(word(), nullptr);
    EXPECT_EQ(word()->savedLookupCount, 2);

    controller->lookup(QStringLiteral("RAN"), kContext, kPointer);
    EXPECT_EQ(ai.explains.size(), 1);
    ASSERT_NE(word(), nullptr);
    EXPECT_EQ(word()->selection, QStringLiteral("RAN"));
    EXPECT_EQ(word()->savedLookupCount, 3);
    EXPECT_EQ(stored(QStringLiteral("run"))->lookupCount, 3);
}

TEST_F(CardControllerTest, TheRecallCheckHidesTheMeaningOfWordsNotReviewedWithinTheHour)
{
    struct Case {
        const char* name;
        std::optional<qint64> reviewedSecondsAgo;
        bool recallOnLookup;
        RecallState expected;
    };
    const Case cases[] = {
        {"never reviewed", std::nullopt, true, RecallState::hidden()},
        {"never reviewed, check off", std::nullopt, false, RecallState::off()},
        {"59 minutes ago", 59 * 60, true, RecallState::off()},
        {"60 minutes ago", 60 * 60, true, RecallState::hidden()},
        {"a day ago, check off", 86400, false, RecallState::off()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WordEntry entry;
        entry.id = QUuid::createUuid();
        entry.headword = QStringLiteral("run");
        entry.meaningZh = QStringLiteral("跑");
        entry.createdAt = clock.now().addDays(-3);
        entry.lookupCount = 1;
        if (c.reviewedSecondsAgo) {
            entry.review = ReviewState{
                3, 5, clock.now().addDays(2), clock.now().addSecs(-*c.reviewedSecondsAgo), 1, 0, 1};
        }
        openBook({entry});
        controller = std::make_unique<CardController>(
            CardController::Services{ai, *store, [this] { return config; }, clock});
        config.recallOnLookup = c.recallOnLookup;
        controller->lookup(QStringLiteral("run"), std::nullopt, kPointer);
        ai.answer(ai.explains.size() - 1, explanation(QStringLiteral("run")));
        ASSERT_NE(word(), nullptr);
        EXPECT_EQ(word()->recall, c.expected);
    }
}

TEST_F(CardControllerTest, TheLaterLookupWinsWhenTheEarlierAnswersLast)
{
    controller->lookup(QStringLiteral("first"), kContext, kPointer);
    controller->lookup(QStringLiteral("second"), kContext, QPoint(800, 500));
    ai.answer(1, explanation(QStringLiteral("second")));
    ASSERT_NE(word(), nullptr);
    EXPECT_EQ(word()->explanation.headword, QStringLiteral("second"));

    ai.answer(0, explanation(QStringLiteral("first")));
    ASSERT_NE(word(), nullptr);
    EXPECT_EQ(word()->explanation.headword, QStringLiteral("second"));
    // The late answer still spares the next lookup of it a request.
    controller->lookup(QStringLiteral("first"), kContext, kPointer);
    EXPECT_EQ(ai.explains.size(), 2);
    EXPECT_EQ(word()->explanation.headword, QStringLiteral("first"));
}

TEST_F(CardControllerTest, HidingCancelsTheRequestAtOnce)
{
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    controller->hide();
    EXPECT_TRUE(state().is<CardState::Hidden>());
    EXPECT_FALSE(surface.visible);

    ai.answer(0, explanation(QStringLiteral("run")));
    EXPECT_TRUE(state().is<CardState::Hidden>());
    EXPECT_FALSE(surface.visible);

    controller->lookup(QStringLiteral("walked"), kContext, kPointer);
    controller->hide();
    ai.failExplain(1, AIError::noBalance());
    EXPECT_TRUE(state().is<CardState::Hidden>());
}

TEST_F(CardControllerTest, AFailedRequestShowsItsSentenceAndOffersSettingsOnlyForTheKey)
{
    struct Case {
        const char* name;
        std::function<void(FakeCardAI&, qsizetype)> fail;
        CardState::Error expected;
    };
    const Case cases[] = {
        {"timed out",
         [](FakeCardAI& ai, qsizetype i) {
             ai.failExplain(i, TransportError(QNetworkReply::TimeoutError,
                                              QStringLiteral("Operation timed out")));
         },
         {QStringLiteral("Operation timed out"), false}},
        {"no key",
         [](FakeCardAI& ai, qsizetype i) { ai.failExplain(i, AIError::noKey()); },
         {AIError::noKey().errorDescription(), true}},
        {"key refused",
         [](FakeCardAI& ai, qsizetype i) { ai.failExplain(i, AIError::unauthorized()); },
         {AIError::unauthorized().errorDescription(), true}},
        {"no balance",
         [](FakeCardAI& ai, qsizetype i) { ai.failExplain(i, AIError::noBalance()); },
         {AIError::noBalance().errorDescription(), false}},
        {"unreadable reply",
         [](FakeCardAI& ai, qsizetype i) { ai.failExplain(i, AIError::badResponse()); },
         {AIError::badResponse().errorDescription(), false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controller->lookup(QString::fromLatin1(c.name), std::nullopt, kPointer);
        c.fail(ai, ai.explains.size() - 1);
        EXPECT_EQ(state(), CardState(c.expected));
    }
    // A failure is not cached: the next lookup asks again.
    controller->lookup(QStringLiteral("no key"), std::nullopt, kPointer);
    EXPECT_EQ(ai.explains.size(), 6);
}

TEST_F(CardControllerTest, AFailedSaveIsShownAsFailedAndCanBeRetried)
{
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    ai.answer(0, explanation(QStringLiteral("run")));
    blockWrites();
    controller->save();
    ASSERT_NE(word(), nullptr);
    EXPECT_FALSE(word()->justSaved);
    EXPECT_EQ(word()->saveFailure, "没能保存：" + store->writeError(QStringLiteral("words.json")));
    EXPECT_FALSE(word()->savedLookupCount);

    allowWrites();
    controller->save();
    ASSERT_NE(word(), nullptr);
    EXPECT_TRUE(word()->justSaved);
    EXPECT_EQ(word()->saveFailure, "");
    EXPECT_EQ(word()->savedLookupCount, 1);
    const QJsonArray words = QJsonDocument::fromJson(folder.read("words.json")).array();
    ASSERT_EQ(words.size(), 1);
    EXPECT_EQ(words[0]["headword"].toString(), QStringLiteral("run"));
}

TEST_F(CardControllerTest, SavingTwiceKeepsTheUnlockAndAddsNothing)
{
    Explanation made = explanation(QStringLiteral("run"));
    made.grammar = QStringLiteral("pastSimple");
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    ai.answer(0, made);
    controller->save();
    ASSERT_NE(word(), nullptr);
    const std::optional<Unlock> unlock = word()->unlock;
    controller->save();
    EXPECT_TRUE(word()->justSaved);
    EXPECT_EQ(word()->unlock, unlock);
    EXPECT_EQ(stored(QStringLiteral("run"))->examples.size(), 1);
}

// The first meeting with a grammar point shows on the card, whether the word is saved from the
// card or, already saved, met again.
TEST_F(CardControllerTest, AnUnlockReachesTheCard)
{
    Explanation made = explanation(QStringLiteral("run"));
    made.grammar = QStringLiteral("pastSimple");
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    ai.answer(0, made);
    EXPECT_FALSE(word()->unlock);
    controller->save();
    ASSERT_TRUE(word()->unlock);
    EXPECT_EQ(word()->unlock->newGrammar, GrammarPoint::pastSimple);

    made.grammar = QStringLiteral("presentPerfect");
    made.sentence = QStringLiteral("We have run home.");
    controller->lookup(QStringLiteral("run"), QStringLiteral("We have run home."), kPointer);
    ai.answer(1, made);
    ASSERT_TRUE(word()->unlock);
    EXPECT_EQ(word()->unlock->newGrammar, GrammarPoint::presentPerfect);
}

// Where the word was met is taken when the lookup starts: by the time the answer comes, or
// the user saves, another window may be in front.
TEST_F(CardControllerTest, ThePageSourceIsTakenWhenTheLookupStarts)
{
    const PageSource before = source;
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    source = PageSource{QStringLiteral("Terminal"), std::nullopt, QStringLiteral("later")};
    ai.answer(0, explanation(QStringLiteral("run")));
    EXPECT_EQ(word()->source, before);
    controller->save();
    const WordEntry* saved = stored(QStringLiteral("run"));
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(saved->examples.size(), 1);
    EXPECT_EQ(saved->examples[0].sourceApp, before.app);
    EXPECT_EQ(saved->examples[0].sourceTitle, before.title);
}

TEST_F(CardControllerTest, TheRecallAnswerCountsAsAReviewOnlyAfterTheReveal)
{
    saveWord(explanation(QStringLiteral("run")));
    controller->lookup(QStringLiteral("run"), kContext, kPointer);
    ai.answer(0, explanation(QStringLiteral("run")));
    ASSERT_EQ(word()->recall, RecallState::hidden());

    controller->rateRecall(true);
    EXPECT_EQ(word()->recall, RecallState::hidden());
    EXPECT_FALSE(stored(QStringLiteral("run"))->review);

    controller->revealRecall();
    EXPECT_EQ(word()->recall, RecallState::revealed());
    controller->rateRecall(false);
    EXPECT_EQ(word()->recall, RecallState::done(false));
    EXPECT_TRUE(stored(QStringLiteral("run"))->review);
}

TEST_F(CardControllerTest, AnUnansweredOfferWithdrawsButALookupInItsPlaceStays)
{
    controller->setOfferDuration(std::chrono::milliseconds(150));
    controller->offerTranslation(QStringLiteral("A long passage."), kPointer);
    EXPECT_TRUE(controller->showsTranslateOffer());
    QTest::qWait(80);
    // A second offer starts the time again.
    controller->offerTranslation(QStringLiteral("Another passage."), kPointer);
    QTest::qWait(100);
    EXPECT_TRUE(controller->showsTranslateOffer());
    EXPECT_TRUE(QTest::qWaitFor([this] { return state().is<CardState::Hidden>(); }, 1000));
    EXPECT_FALSE(surface.visible);

    controller->offerTranslation(QStringLiteral("A long passage."), kPointer);
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    QTest::qWait(250);
    EXPECT_TRUE(state().is<CardState::Loading>());
}

TEST_F(CardControllerTest, TranslatingTheOfferStopsItsTimerAndKeepsTheWholeText)
{
    controller->setOfferDuration(std::chrono::milliseconds(50));
    const QString text = QString(5000, QLatin1Char('a'));
    controller->offerTranslation(text, kPointer);
    controller->translate(text);
    QTest::qWait(120);
    EXPECT_EQ(state(), CardState(CardState::Translating{text}));

    const Translation translation{QStringLiteral("译文"), std::nullopt};
    ai.answer(0, translation);
    EXPECT_EQ(state(), CardState(CardState::Translated{text, translation}));
}

// A failed translation shows its sentence; one that answers after the card moved on to another
// lookup is dropped.
TEST_F(CardControllerTest, AFailedTranslationShowsItsSentenceAndALateOneIsDropped)
{
    controller->showTranslation(QStringLiteral("A passage."), kPointer);
    ai.failTranslation(0, AIError::noBalance());
    EXPECT_EQ(state(), CardState(CardState::Error{AIError::noBalance().errorDescription(), false}));

    controller->showTranslation(QStringLiteral("Another passage."), kPointer);
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    ai.answer(1, Translation{QStringLiteral("另一段话。"), std::nullopt});
    EXPECT_EQ(state(), CardState(CardState::Loading{QStringLiteral("ran")}));
    ai.answer(0, explanation(QStringLiteral("run")));
    ASSERT_NE(word(), nullptr);
    EXPECT_EQ(word()->explanation.headword, QStringLiteral("run"));
}

TEST_F(CardControllerTest, AskingOpensTheChatAboutTheCardAndHidesIt)
{
    std::optional<AskContext> asked;
    std::optional<QuickQuestion> question;
    controller->setHooks({[this] { return source; },
                          {},
                          [&](const AskContext& context, std::optional<QuickQuestion> q) {
                              asked = context;
                              question = q;
                          },
                          {}});
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    controller->ask(QuickQuestion::why);
    EXPECT_FALSE(asked);
    EXPECT_TRUE(state().is<CardState::Loading>());

    ai.answer(0, explanation(QStringLiteral("run")));
    controller->ask(QuickQuestion::why);
    EXPECT_TRUE(state().is<CardState::Hidden>());
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->original, QStringLiteral("We ran home."));
    EXPECT_EQ(asked->translation, QStringLiteral("我们跑回家。"));
    EXPECT_EQ(asked->focusWord, QStringLiteral("run"));
    EXPECT_EQ(asked->source, source);
    EXPECT_EQ(question, QuickQuestion::why);

    controller->showTranslation(QStringLiteral("A passage."), kPointer);
    ai.answer(0, Translation{QStringLiteral("一段话。"), std::nullopt});
    controller->ask(std::nullopt);
    EXPECT_EQ(asked->original, QStringLiteral("A passage."));
    EXPECT_EQ(asked->translation, QStringLiteral("一段话。"));
    EXPECT_FALSE(asked->focusWord);
    EXPECT_EQ(asked->source, source);
    EXPECT_FALSE(question);
}

TEST_F(CardControllerTest, TheCardIsPlacedBelowThePointerAndKeepsItsFrameWhenEmpty)
{
    controller->lookup(QStringLiteral("ran"), kContext, kPointer);
    ASSERT_FALSE(surface.frames.isEmpty());
    EXPECT_EQ(surface.frames.last(), QRect(376, 318, 340, 120));
    EXPECT_EQ(controller->visibleFrame(), QRect(376, 318, 340, 120));

    const qsizetype placed = surface.frames.size();
    surface.size = QSize(0, 80);
    controller->showError(QStringLiteral("出错了"), false, QPoint(10, 10));
    EXPECT_EQ(surface.frames.size(), placed);
    EXPECT_EQ(state(), CardState(CardState::Error{QStringLiteral("出错了"), false}));

    controller->hide();
    EXPECT_FALSE(controller->visibleFrame());
}

} // namespace
