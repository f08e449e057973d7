#include "FakeDelay.h"

#include "model/WordBookFixture.h"
#include "review/ReviewViewState.h"

using namespace glossivo;
using glossivo::testing::FakeDelay;
using glossivo::testing::WordBookFixture;
using Screen = ReviewScreen;

namespace {

// What the review window shows, read from the state as the widgets read it.
class ReviewViewStateTest : public WordBookFixture {
protected:
    void openWith(const QList<WordEntry>& words)
    {
        state.reset();
        session.reset();
        open(words);
        session = std::make_unique<ReviewSession>(*store, delay);
        state = std::make_unique<ReviewViewState>(
            *session, *store, [this] { return config; }, ReviewViewState::Speak());
    }

    WordEntry due(const QString& headword, int lapses) const
    {
        WordEntry entry = learning(headword);
        entry.review = ReviewState{3, 5, clock.now(), clock.now().addDays(-3), 4, lapses, 2};
        return entry;
    }

    WordEntry spelled(const QString& headword, int level) const
    {
        WordEntry entry = word(headword);
        entry.spellPractice = true;
        entry.spellLevel = level;
        entry.affixes = QList<Affix>{Affix::un, Affix::able};
        return entry;
    }

    const Screen& screen() const { return state->screen(); }

    FakeDelay delay;
    std::unique_ptr<ReviewSession> session;
    std::unique_ptr<ReviewViewState> state;
};

} // namespace

TEST_F(ReviewViewStateTest, eachQuestionKindHasItsBadgeAndPrompt)
{
    struct Row {
        int spellLevel; // -1: recognition
        QString badge;
        QString prompt;
    };
    const QList<Row> rows{
        {-1, "认", "它在这里是什么意思？先在心里想一想"},
        {0, "拼", "看一眼再写 · 记住它的样子，消失后把它打出来"},
        {1, "拼", "补字母 · 把空着的字母补上（打完整个词）"},
        {2, "拼", "按块拼 · 灰色的部分已经给你了，拼出空着的那块（打完整个词）"},
        {3, "拼", "完整拼写 · 看中文提示，把空填上"},
        {4, "听", "听写 · 听发音，拼出这个词"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.spellLevel);
        if (row.spellLevel < 0) {
            openWith({learning("unbelievable")});
            session->start(0);
            EXPECT_EQ(screen().content, Screen::Content::recognition);
        } else {
            openWith({spelled("unbelievable", row.spellLevel)});
            session->startSpelling();
            EXPECT_EQ(screen().content, Screen::Content::spelling);
        }
        EXPECT_EQ(screen().badge, row.badge);
        EXPECT_EQ(screen().prompt, row.prompt);
    }
}

TEST_F(ReviewViewStateTest, aRecognitionQuestionGoesFromAskingToRatedWithItsBanner)
{
    WordEntry leech = due("harbour", 3);
    leech.forms = QList<FormRecord>{{FormKind::plural, "harbours", clock.now(), 1, std::nullopt}};
    WordEntry noted = due("ferry", 0);
    AINote note;
    note.answer = QString(121, QLatin1Char('x'));
    noted.notes = QList<AINote>{note};
    openWith({leech, noted});
    session->start(0);
    EXPECT_EQ(screen().top, (Screen::TopBar{true, 0, 2, "1 / 2"}));
    EXPECT_EQ(screen().step, Screen::Step::asking);
    EXPECT_EQ(screen().sentenceTerms, (QStringList{"harbour", "harbours"}));

    state->reveal();
    EXPECT_EQ(screen().step, Screen::Step::revealed);
    EXPECT_EQ(screen().banner, Screen::Banner::none);
    state->rate(Rating::again); // the fourth lapse
    EXPECT_EQ(screen().step, Screen::Step::rated);
    EXPECT_EQ(screen().banner, Screen::Banner::leech);
    state->rest();
    EXPECT_EQ(screen().headword, "ferry"); // the re-ask of harbour is gone with it
    EXPECT_EQ(screen().top, (Screen::TopBar{true, 1, 2, "2 / 2"}));
    EXPECT_EQ(screen().answer.note, QString(120, QLatin1Char('x')) + "…");

    config.graduateDays = 0;
    state->reveal();
    state->rate(Rating::good);
    EXPECT_EQ(screen().banner, Screen::Banner::graduated);
    EXPECT_EQ(screen().step, Screen::Step::rated);
    state->next();
    EXPECT_EQ(screen().content, Screen::Content::spelling); // ferry's follow-up
}

TEST_F(ReviewViewStateTest, aWordForgottenOftenOffersRestAndShowsItsMemoryTip)
{
    WordEntry word = due("harbour", 5);
    word.mnemonic = QStringLiteral("港湾像一只张开的手");
    AINote note;
    note.answer = QStringLiteral("笔记");
    word.notes = QList<AINote>{note};
    openWith({word});
    session->start(0);
    state->reveal();
    EXPECT_EQ(screen().banner, Screen::Banner::restLink);
    EXPECT_EQ(screen().answer.memoryTip, QStringLiteral("港湾像一只张开的手"));
    EXPECT_EQ(screen().answer.note, std::nullopt);
}

TEST_F(ReviewViewStateTest, theSpellingCluesAndVerdicts)
{
    openWith({spelled("harbour", 0)});
    session->startSpelling();
    // Copy: the word turns into dots at the first letter, and stays so.
    ASSERT_EQ(screen().clue.mode, SpellMode::copy);
    EXPECT_EQ(screen().clue.word, "harbour");
    state->setInput("h");
    state->setInput("");
    EXPECT_EQ(screen().clue.word, QString(7, QChar(0x2022)));
    state->setInput("harbor");
    state->submit();
    ASSERT_TRUE(screen().graded);
    EXPECT_EQ(screen().graded->verdict, Screen::Verdict::hard); // one letter off
    EXPECT_TRUE(screen().graded->showTyped);
    EXPECT_FALSE(screen().graded->typeAlong);

    openWith({spelled("ferry", 3)});
    session->startSpelling();
    EXPECT_EQ(screen().clue.letters, "首字母 f · 5 个字母");
    state->giveUp();
    EXPECT_EQ(screen().graded->verdict, Screen::Verdict::again);
    EXPECT_FALSE(screen().graded->showTyped); // nothing was typed
    EXPECT_TRUE(screen().graded->typeAlong);
    EXPECT_EQ(screen().graded->typeAlongPlaceholder, "照着打一遍 ferry（可以跳过）");
    state->next(); // asked once more, one mode easier
    EXPECT_EQ(screen().clue.mode, SpellMode::chunks);
    EXPECT_FALSE(screen().clue.word.isEmpty()); // the scaffold
    state->setInput("ferry");
    state->submit();
    EXPECT_EQ(screen().graded->verdict, Screen::Verdict::good);
    EXPECT_FALSE(screen().graded->showTyped);
    delay.elapse(); // a clean answer moves on by itself
    EXPECT_EQ(screen().content, Screen::Content::finished);
    EXPECT_EQ(screen().finished.counter, "拼对 1 次");
    EXPECT_FALSE(screen().finished.reassurance);
    EXPECT_EQ(screen().finished.again, "再练一轮");
}

TEST_F(ReviewViewStateTest, theEmptyViewSaysWhyAndTheFinishedViewWhatWasDone)
{
    openWith({});
    session->startSpelling();
    EXPECT_EQ(screen().empty.kind, Screen::EmptyKind::spelling);
    EXPECT_FALSE(screen().top.shown);
    session->start(0);
    EXPECT_EQ(screen().empty.kind, Screen::EmptyKind::emptyBook);

    config.learningSlots = 1;
    WordEntry later = learning("ferry");
    later.review = ReviewState{3, 5, clock.now().addDays(3), clock.now(), 4, 0, 2};
    openWith({later});
    session->start(0);
    EXPECT_EQ(screen().empty,
              (Screen::Empty{Screen::EmptyKind::nothingDue, "现在没有要复习的词",
                             "在学 1/1 · 记忆最需要的是间隔，过一阵再来效果更好。", false}));
    config.learningSlots = 2;
    session->start(0);
    EXPECT_TRUE(screen().empty.offerMore);

    openWith({due("harbour", 0)});
    session->start(0);
    state->reveal();
    state->rate(Rating::hard);
    EXPECT_EQ(screen().content, Screen::Content::finished);
    EXPECT_FALSE(screen().top.shown);
    EXPECT_EQ(screen().finished.counter, "记住了 1 个 · 还要再练 0 个 · 拼对 0 次");
    EXPECT_TRUE(screen().finished.reassurance);
    EXPECT_EQ(screen().finished.again, std::nullopt); // nothing else is due
}
