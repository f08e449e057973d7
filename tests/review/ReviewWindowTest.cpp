#include "review/views/ReviewWindow.h"
#include "ReviewStateFixture.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

using namespace glossivo;
using glossivo::testing::ReviewStateFixture;

namespace {

// The review window driven as the learner drives it, with keys and buttons, over a word book in
// a fresh folder; what it asked for is read from the session, the log and the speaker.
class ReviewWindowTest : public ReviewStateFixture {
protected:
    void openWith(const QList<WordEntry>& words)
    {
        window.reset();
        startWith(words, [this](const QString& text) { spoken.append(text); });
        window = std::make_unique<ReviewWindow>(*state);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Due for review, met in a sentence in its plural, which a full spelling question asks.
    WordEntry harbour(int spellLevel = -1, const QString& sentenceZh = QString()) const
    {
        WordEntry entry = learning(QStringLiteral("harbour"));
        entry.review = ReviewState{3, 5, clock.now(), clock.now().addDays(-3), 4, 0, 2};
        entry.examples = {Example{QUuid::createUuid(),
                                  QStringLiteral("The boats stayed in the harbours."),
                                  sentenceZh,
                                  "",
                                  false,
                                  {},
                                  {},
                                  {},
                                  clock.now()}};
        entry.forms =
            QList<FormRecord>{{FormKind::plural, "harbours", clock.now(), 1, std::nullopt}};
        if (spellLevel >= 0) {
            entry.spellPractice = true;
            entry.spellLevel = spellLevel;
        }
        return entry;
    }

    template <class T = QAbstractButton> T* find(const char* name) const
    {
        for (T* child : window->findChildren<T*>(QString::fromLatin1(name)))
            if (child->isVisibleTo(window.get())) return child;
        return nullptr;
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window.get(), key, modifiers);
    }

    std::unique_ptr<ReviewWindow> window;
    QStringList spoken;
};

TEST_F(ReviewWindowTest, SpaceRevealsAndEachDigitRatesAsItsButtonSays)
{
    const QList<std::pair<Qt::Key, const char*>> keys{
        {Qt::Key_1, "again"}, {Qt::Key_2, "hard"}, {Qt::Key_3, "good"}, {Qt::Key_4, "easy"}};
    for (const auto& [digit, rating] : keys) {
        SCOPED_TRACE(rating);
        openWith({harbour()});
        session->start(0);
        key(Qt::Key_Space);
        ASSERT_TRUE(session->phase().isRevealed());
        key(digit);
        EXPECT_EQ(logged().last(), QStringLiteral("review ") + rating);
    }
}

TEST_F(ReviewWindowTest, CtrlRSaysTheAnswerAgainInTheFormItIsAsked)
{
    openWith({harbour(4)});
    session->startSpelling();
    key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(spoken, QStringList{"harbour"});

    openWith({harbour(3)});
    session->startSpelling();
    ASSERT_EQ(session->current()->answer, "harbours");
    state->replay();
    EXPECT_EQ(spoken.last(), "harbours");
}

TEST_F(ReviewWindowTest, GivingUpGradesAnEmptyAnswerWhateverWasTyped)
{
    openWith({harbour(0)});
    session->startSpelling();
    QTest::keyClicks(find<QLineEdit>("answerField"), "harbour");
    find("giveUpButton")->click();
    ASSERT_TRUE(session->phase().isRevealed());
    EXPECT_EQ(session->phase().rating, Rating::again);
}

TEST_F(ReviewWindowTest, LearningMoreStartsARoundOfFiveNewWordsPastTheDailyLimit)
{
    config.dailyNewLimit = 0;
    QList<WordEntry> seen;
    for (int i = 0; i < 7; ++i)
        seen.append(word(QStringLiteral("word%1").arg(i)));
    openWith(seen);
    session->start(0);
    ASSERT_TRUE(session->queue().empty());
    find("moreButton")->click();
    EXPECT_EQ(session->queue().size(), 5);
    EXPECT_EQ(state->screen().content, ReviewScreen::Content::recognition);
}

// Shrunk as far as it goes, the window still holds the rating row of a revealed answer.
TEST_F(ReviewWindowTest, AtItsSmallestTheRatingButtonsStayInside)
{
    openWith({harbour(-1, QStringLiteral("船只一直待在港口里。"))});
    session->start(0);
    key(Qt::Key_Space);
    window->resize(1, 1);
    QTest::qWait(20);
    ASSERT_GT(window->width(), 1);
    for (const char* name : {"rate1", "rate4"}) {
        const QAbstractButton* button = find(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(
            window->rect().contains(QRect(button->mapTo(window.get(), QPoint()), button->size())))
            << name;
    }
}

TEST_F(ReviewWindowTest, AnEmptyChineseSentenceIsLeftOut)
{
    for (const QString& chinese : {QString(), QStringLiteral("船只一直待在港口里。")}) {
        openWith({harbour(-1, chinese)});
        session->start(0);
        state->reveal();
        EXPECT_EQ(state->screen().answer.sentenceZh,
                  chinese.isEmpty() ? std::nullopt : std::optional(chinese));
    }
}

} // namespace
