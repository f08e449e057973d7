#include "CardFixture.h"

#include "card/AskSession.h"
#include "card/SaveFailure.h"
#include "support/FakeChatServer.h"

using namespace glossivo;
using glossivo::testing::CardFixture;
using glossivo::testing::FakeChatServer;
using glossivo::testing::FakeReply;

namespace {

using Ending = FakeReply::Ending;
using Chat = QList<DeepSeekClient::ChatMessage>;

FakeReply answer(const QStringList& pieces, Ending ending = Ending::complete)
{
    QList<QByteArray> events;
    for (const QString& piece : pieces)
        events.append(FakeReply::deltaEvent(piece));
    if (ending == Ending::complete) events.append("data: [DONE]\n\n");
    return FakeReply::events(events, ending);
}

class AskSessionTest : public CardFixture {
protected:
    AskSessionTest()
    {
        config.apiKey = QStringLiteral("sk-ask-session-71c2");
        config.baseURL = server.baseURL();
        session = std::make_unique<AskSession>(
            *store, [this] { return config; }, clock);
    }

    AskContext wordContext() const
    {
        return {QStringLiteral("We ran home."), QStringLiteral("我们跑回家。"),
                QStringLiteral("run"), explanation(QStringLiteral("run")), source};
    }
    static AskContext passageContext()
    {
        return {QStringLiteral("The build failed."), QStringLiteral("构建失败了。"), std::nullopt,
                std::nullopt, std::nullopt};
    }

    Chat sent(qsizetype request) const
    {
        Chat chat;
        for (const QJsonValue& message : server.requests().at(request).json()["messages"].toArray())
            chat.append({message["role"].toString(), message["content"].toString()});
        return chat;
    }

    QStringList turns() const
    {
        QStringList texts;
        for (const AskSession::Message& message : session->messages())
            texts.append((message.isUser ? QStringLiteral("Q:") : QStringLiteral("A:")) +
                         message.text);
        return texts;
    }

    bool waitUntilIdle() const
    {
        return FakeChatServer::waitFor([this] { return !session->isAnswering(); });
    }

    FakeChatServer server;
    std::unique_ptr<AskSession> session;
};

TEST_F(AskSessionTest, APresetQuestionIsShownByItsTitleAndSentAsItsPrompt)
{
    server.enqueue(answer({QStringLiteral("因为"), QStringLiteral("……")}));
    server.enqueue(answer({QStringLiteral("好")}));
    session->start(wordContext(), QuickQuestion::why);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(turns(),
              QStringList({QStringLiteral("Q:为什么这么用？"), QStringLiteral("A:因为……")}));

    const Chat first = sent(0);
    ASSERT_EQ(first.size(), 3);
    EXPECT_EQ(first[0].content, AskSession::systemPrompt());
    EXPECT_EQ(first[1].content,
              QStringLiteral("我在看这段英文：\nWe ran home.\n\n中文翻译：我们跑回家。"
                             "\n\n我想重点了解的词：run\n\n下面是我的问题。"));
    EXPECT_EQ(first[2].content,
              QStringLiteral(
                  "为什么这里用「run」？这样说是什么意思、什么语气？换成别的说法会有什么不同？"));
    EXPECT_EQ(server.requests()[0].json()["temperature"].toDouble(), 0.5);

    session->setInput(QStringLiteral("  再说一次 \n"));
    session->send();
    EXPECT_TRUE(session->input().isEmpty());
    ASSERT_TRUE(waitUntilIdle());
    const Chat second = sent(1);
    ASSERT_EQ(second.size(), 5);
    EXPECT_EQ(second[2], (DeepSeekClient::ChatMessage{QStringLiteral("user"),
                                                      QStringLiteral("为什么这么用？")}));
    EXPECT_EQ(second[3].role, QStringLiteral("assistant"));
    EXPECT_EQ(second[4].content, QStringLiteral("再说一次"));
}

TEST_F(AskSessionTest, BlankQuestionsAndQuestionsDuringAnAnswerAreIgnored)
{
    session->start(passageContext());
    session->setInput(QStringLiteral(" \n\t "));
    session->send();
    EXPECT_EQ(session->input(), QStringLiteral(" \n\t "));
    EXPECT_TRUE(session->messages().isEmpty());

    server.enqueue(answer({QStringLiteral("半")}, Ending::hold));
    session->send(QStringLiteral("什么意思？"));
    session->send(QStringLiteral("还有呢？"));
    EXPECT_EQ(session->messages().size(), 2);
    session->stop();
    EXPECT_FALSE(session->isAnswering());
}

TEST_F(AskSessionTest, TheTranslationChatTalksAboutThePassage)
{
    session->start(passageContext());
    EXPECT_EQ(session->saveLabel(), QStringLiteral("存为句子笔记"));
    EXPECT_EQ(
        promptOf(QuickQuestion::examples, passageContext()),
        QStringLiteral("用这句话里值得注意的词和搭配再造 3 个日常能用到的例句，每句附中文。"));
    session->start(wordContext());
    EXPECT_EQ(session->saveLabel(), QStringLiteral("存到「run」"));
}

TEST_F(AskSessionTest, AFailureBeforeAnyTextLeavesNoTraceAndOneAfterKeepsThePartialAnswer)
{
    session->start(passageContext());
    server.enqueue(FakeReply::text(402, "{}"));
    session->send(QStringLiteral("第一问"));
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_TRUE(session->messages().isEmpty());
    EXPECT_EQ(session->error(), QStringLiteral("DeepSeek 账户余额不足，请先充值。"));

    server.enqueue(answer({QStringLiteral("一半")}, Ending::breakOff));
    session->send(QStringLiteral("第二问"));
    EXPECT_TRUE(session->error().isEmpty());
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(turns(), QStringList({QStringLiteral("Q:第二问"), QStringLiteral("A:一半")}));
    EXPECT_FALSE(session->error().isEmpty());
}

TEST_F(AskSessionTest, AnAnswerStoppedBeforeItsFirstPieceIsNotSentAgain)
{
    session->start(passageContext());
    server.enqueue(answer({}, Ending::hold));
    session->send(QStringLiteral("没答的问题"));
    ASSERT_TRUE(FakeChatServer::waitFor([this] { return server.requests().size() == 1; }));
    session->stop();
    EXPECT_EQ(turns(), QStringList({QStringLiteral("Q:没答的问题"), QStringLiteral("A:")}));

    server.enqueue(answer({QStringLiteral("答")}));
    session->send(QStringLiteral("下一问"));
    ASSERT_TRUE(waitUntilIdle());
    const Chat chat = sent(1);
    ASSERT_EQ(chat.size(), 3);
    EXPECT_EQ(chat[2].content, QStringLiteral("下一问"));
}

TEST_F(AskSessionTest, ANewChatStopsTheOldAnswer)
{
    session->start(passageContext());
    server.enqueue(answer({QStringLiteral("旧")}, Ending::hold));
    session->send(QStringLiteral("旧问题"));
    ASSERT_TRUE(FakeChatServer::waitFor([this] {
        return session->messages().size() == 2 && !session->messages()[1].text.isEmpty();
    }));
    session->start(wordContext());
    EXPECT_TRUE(session->messages().isEmpty());
    EXPECT_FALSE(session->isAnswering());
    EXPECT_EQ(session->context(), wordContext());
    QTest::qWait(100);
    EXPECT_TRUE(session->messages().isEmpty());
}

TEST_F(AskSessionTest, SavingAnAnswerAboutANewWordSavesTheWordFirst)
{
    server.enqueue(answer({QStringLiteral("这样用")}));
    session->start(wordContext(), QuickQuestion::why);
    ASSERT_TRUE(waitUntilIdle());
    const QUuid turn = session->messages()[1].id;
    session->save(turn);
    session->save(turn);
    EXPECT_EQ(session->savedIDs(), QSet<QUuid>{turn});
    const WordEntry* run = stored(QStringLiteral("run"));
    ASSERT_NE(run, nullptr);
    ASSERT_TRUE(run->notes);
    ASSERT_EQ(run->notes->size(), 2);
    EXPECT_EQ(run->notes->at(0).question, QStringLiteral("为什么这么用？"));
    EXPECT_EQ(run->notes->at(0).answer, QStringLiteral("这样用"));
    EXPECT_EQ(run->notes->at(0).sourceURL, source.url);
    EXPECT_EQ(run->examples.size(), 1);

    session->save(session->messages()[0].id);
    EXPECT_EQ(session->savedIDs().size(), 1);
}

TEST_F(AskSessionTest, ANoteThatCannotBeWrittenIsNotMarkedSaved)
{
    server.enqueue(answer({QStringLiteral("答")}));
    session->start(passageContext(), QuickQuestion::structure);
    ASSERT_TRUE(waitUntilIdle());
    const QUuid turn = session->messages()[1].id;
    blockWrites();
    session->save(turn);
    EXPECT_TRUE(session->savedIDs().isEmpty());
    EXPECT_EQ(session->error(), SaveFailure::message());

    allowWrites();
    session->save(turn);
    EXPECT_EQ(session->savedIDs(), QSet<QUuid>{turn});
    EXPECT_TRUE(folder.read("notes.json").contains("\"answer\""));
}

TEST(AskPromptTest, TheSystemMessageIsSixLinesOf531Bytes)
{
    EXPECT_EQ(AskSession::systemPrompt().toUtf8().size(), 531);
    EXPECT_EQ(AskSession::systemPrompt().count(QLatin1Char('\n')), 5);
}

} // namespace
