#include "AddWordFixture.h"

#include "ai/AIError.h"
#include "ai/AIPrompts.h"

#include <QSignalSpy>

using namespace glossivo;
using glossivo::testing::AddWordFixture;
using glossivo::testing::FakeChatServer;

namespace {

class AddWordStateTest : public AddWordFixture {
protected:
    AddWordState state{*store, configSource()};

    // Runs a lookup to its end.
    void lookUp(const QString& query)
    {
        state.lookup(query);
        ASSERT_TRUE(FakeChatServer::waitFor([this] { return !state.loading(); }));
    }
};

TEST_F(AddWordStateTest, ACorrectedQueryThenAnAlternativeThenASaveOfThatWord)
{
    QJsonObject corrected = word("receive");
    corrected["corrected"] = true;
    corrected["alternatives"] =
        QJsonArray{QJsonObject{{"text", "get"}, {"meaning_zh", QStringLiteral("更口语")}}};
    answer(corrected);
    state.setWord(QStringLiteral("  recieve\n"));
    state.lookupWord();
    EXPECT_FALSE(state.canLookUp());
    EXPECT_EQ(state.word(), "recieve");
    ASSERT_TRUE(FakeChatServer::waitFor([this] { return !state.loading(); }));
    EXPECT_EQ(userMessage(0), "Query: recieve");
    ASSERT_TRUE(state.result());
    EXPECT_EQ(state.result()->corrected, true);
    EXPECT_EQ(state.asked(), "recieve");
    // A lookup records nothing in the word book.
    EXPECT_FALSE(folder.exists("words.json"));

    // The alternative replaces what was typed, and the shown answer goes while it is asked.
    answer(word("get", QStringLiteral("得到")));
    state.lookup(state.result()->alternatives->at(0).text);
    EXPECT_EQ(state.word(), "get");
    EXPECT_FALSE(state.result());
    ASSERT_TRUE(FakeChatServer::waitFor([this] { return !state.loading(); }));
    EXPECT_EQ(state.result()->explanation.headword, "get");

    QSignalSpy focus(&state, &AddWordState::wordFocusRequested);
    state.revealSentence();
    state.save();
    EXPECT_EQ(state.lastSaved(), "已保存 get");
    EXPECT_EQ(state.word(), "");
    EXPECT_FALSE(state.showSentence());
    EXPECT_FALSE(state.result());
    EXPECT_EQ(state.asked(), "get");
    EXPECT_EQ(focus.size(), 1);
    const QJsonArray words = wordsOnDisk();
    ASSERT_EQ(words.size(), 1);
    EXPECT_EQ(words[0]["headword"], "get");
    EXPECT_EQ(words[0]["examples"][0]["sourceApp"], "手动添加");

    // The confirmation stays until the next lookup starts.
    answer(word("get"));
    state.lookup(QStringLiteral("get"));
    EXPECT_EQ(state.lastSaved(), "");
    ASSERT_TRUE(FakeChatServer::waitFor([this] { return !state.loading(); }));
    EXPECT_TRUE(state.existing());
}

TEST_F(AddWordStateTest, TheSentenceIsUsedOnlyForAQueryWithoutChineseCharacters)
{
    // Letters with a combining mark count once each.
    QString longQuery;
    for (int i = 0; i < 250; ++i)
        longQuery += QStringLiteral("e\u0301");
    struct Case {
        QString query;
        QString sentence;
        QString system;
        QString user;
    };
    const QString explain = AIPrompts::explainPrompt();
    const QString lookup = AIPrompts::lookupPrompt();
    const Case cases[] = {
        {"ran", "  We ran home.  ", explain, AIPrompts::explainMessage("ran", "We ran home.")},
        {"ran", "他说 ran 是跑", explain, AIPrompts::explainMessage("ran", "他说 ran 是跑")},
        {"放弃", "I gave up.", lookup, "Query: 放弃"},
        {"give 放弃", "I gave up.", lookup, "Query: give 放弃"},
        {"ran", " \n\t", lookup, "Query: ran"},
        {longQuery, "", lookup, "Query: " + longQuery.left(400)},
    };
    qsizetype request = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE((c.query.left(20) + " / " + c.sentence).toStdString());
        answer(word("run"));
        state.setSentence(c.sentence);
        lookUp(c.query);
        EXPECT_EQ(systemMessage(request), c.system);
        EXPECT_EQ(userMessage(request), c.user);
        EXPECT_EQ(state.result()->explanation.headword, "run");
        ++request;
    }
}

TEST_F(AddWordStateTest, BlankQueriesAndASecondLookupWhileOneRunsAskNothing)
{
    state.setWord(QStringLiteral(" \t "));
    EXPECT_FALSE(state.canLookUp());
    // Line breaks are not blanks for the button, but a lookup trims them away.
    state.setWord(QStringLiteral("\n"));
    EXPECT_TRUE(state.canLookUp());
    state.lookupWord();
    EXPECT_FALSE(state.loading());

    answer(word("run"));
    state.lookup(QStringLiteral("run"));
    state.lookup(QStringLiteral("walk"));
    EXPECT_EQ(state.word(), "run");
    ASSERT_TRUE(FakeChatServer::waitFor([this] { return !state.loading(); }));
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(state.canLookUp());
}

TEST_F(AddWordStateTest, AFailedLookupShowsTheMessageAndKeepsTheFields)
{
    config.apiKey.clear();
    state.setSentence(QStringLiteral("We ran home."));
    lookUp(QStringLiteral("ran"));
    EXPECT_EQ(state.error(), AIError::noKey().errorDescription());
    EXPECT_FALSE(state.result());
    EXPECT_EQ(state.word(), "ran");
    EXPECT_EQ(state.sentence(), "We ran home.");
    EXPECT_TRUE(state.canLookUp());

    config.apiKey = QStringLiteral("sk-test-add-word");
    answer(word("run"));
    state.lookup(QStringLiteral("ran"));
    EXPECT_EQ(state.error(), "");
    EXPECT_TRUE(FakeChatServer::waitFor([this] { return !state.loading(); }));
}

TEST_F(AddWordStateTest, AWriteThatFailsIsShownAsAnErrorAndTheAnswerStaysForAnotherTry)
{
    answer(word("receive"));
    state.setSentence(QStringLiteral("Did you receive my letter?"));
    lookUp(QStringLiteral("receive"));
    blockWrites();
    for (auto write : {&AddWordState::save, &AddWordState::addSpelling}) {
        (state.*write)();
        // With the file layer's reason; nor is the word told apart as one already saved.
        EXPECT_EQ(state.error(), "没能保存：" + store->writeError(QStringLiteral("words.json")));
        EXPECT_FALSE(state.existing());
        EXPECT_EQ(state.lastSaved(), "");
        EXPECT_TRUE(state.result());
        EXPECT_EQ(state.sentence(), "Did you receive my letter?");
    }

    allowWrites();
    state.save();
    EXPECT_EQ(state.error(), "");
    EXPECT_EQ(state.lastSaved(), "已保存 receive");
    const QJsonArray words = wordsOnDisk();
    ASSERT_EQ(words.size(), 1);
    EXPECT_EQ(words[0]["examples"].toArray().size(), 1);
    EXPECT_EQ(words[0]["spellPractice"], true);
}

TEST_F(AddWordStateTest, SpellingPracticeSavesANewWordAsMetThereAndFollowsTheWordBook)
{
    answer(word("receive"));
    lookUp(QStringLiteral("receive"));
    EXPECT_FALSE(state.inSpellPractice());
    state.addSpelling();
    EXPECT_EQ(state.lastSaved(), "已加入常拼 receive");
    const QJsonArray words = wordsOnDisk();
    EXPECT_EQ(words[0]["examples"][0]["sourceApp"], "常拼");
    answer(word("receive"));
    lookUp(QStringLiteral("receive"));
    EXPECT_TRUE(state.inSpellPractice());

    // A change made elsewhere in the word book reaches the shown answer.
    answer(word("deceive"));
    lookUp(QStringLiteral("deceive"));
    EXPECT_FALSE(state.existing());
    QSignalSpy changed(&state, &AddWordState::resultChanged);
    Explanation elsewhere;
    elsewhere.headword = QStringLiteral("deceive");
    elsewhere.meaningZh = QStringLiteral("欺骗");
    store->save(elsewhere, PageSource{});
    ASSERT_TRUE(changed.wait(1000));
    EXPECT_TRUE(state.existing());
}

} // namespace
