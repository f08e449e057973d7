#include "CoachFixture.h"

#include "coach/CoachPrompts.h"
#include "coach/CoachSession.h"
#include "support/FakeChatServer.h"

#include <QJsonArray>
#include <QTest>

using namespace glossivo;
using glossivo::testing::CoachFixture;
using glossivo::testing::FakeChatServer;
using glossivo::testing::FakeReply;

namespace {

using Ending = FakeReply::Ending;

const QString kKey = QStringLiteral("sk-coach-session-3f9a0c");
const QString kWrongKey = QStringLiteral("API key 不正确，请在设置里检查一下。");
const QString kAnswerStyle =
    QStringLiteral("\n（像教练聊天一样回答，一般 150～300 字，具体到我的词。）");

FakeReply answer(const QStringList& pieces, Ending ending = Ending::complete)
{
    QList<QByteArray> events;
    for (const QString& piece : pieces)
        events.append(FakeReply::deltaEvent(piece));
    if (ending == Ending::complete) events.append("data: [DONE]\n\n");
    return FakeReply::events(events, ending);
}

class CoachSessionTest : public CoachFixture {
protected:
    CoachSessionTest()
    {
        config.apiKey = kKey;
        config.baseURL = server.baseURL();
        openBook({});
        session = makeSession();
    }

    std::unique_ptr<CoachSession> makeSession()
    {
        return std::make_unique<CoachSession>(
            folder.path("coach.json"), *facts, [this] { return config; }, clock);
    }

    bool waitUntilIdle() const
    {
        return FakeChatServer::waitFor([this] { return !session->isAnswering(); });
    }

    bool waitForText() const
    {
        return FakeChatServer::waitFor([this] {
            return !session->messages().isEmpty() && !session->messages().last().text.isEmpty();
        });
    }

    // The messages of a request, as role and content.
    QList<DeepSeekClient::ChatMessage> sent(qsizetype request) const
    {
        QList<DeepSeekClient::ChatMessage> chat;
        for (const QJsonValue& message : server.requests().at(request).json()["messages"].toArray())
            chat.append({message["role"].toString(), message["content"].toString()});
        return chat;
    }

    QStringList texts() const
    {
        QStringList list;
        for (const CoachMessage& message : session->messages())
            list.append(message.text);
        return list;
    }

    QList<CoachDay> stored() const { return CoachHistory(folder.path("coach.json")).days(); }

    // A finished brief on screen.
    void briefed()
    {
        server.enqueue(answer({"简报"}));
        session->open();
        ASSERT_TRUE(waitUntilIdle());
    }

    FakeChatServer server;
    std::unique_ptr<CoachSession> session;
};

} // namespace

TEST_F(CoachSessionTest, theFirstOpenOfADayStreamsABriefThatFollowsUpYesterdays)
{
    const QString yesterday = QString(950, u'昨');
    CoachHistory(folder.path("coach.json"))
        .record("2026-10-06",
                {CoachMessage::make(false, "问题"), CoachMessage::make(true, yesterday)});
    session = makeSession();
    server.enqueue(answer({"今天", "见"}));

    session->open();
    ASSERT_EQ(session->messages().size(), 1);
    EXPECT_TRUE(session->messages()[0].fromCoach);
    EXPECT_EQ(session->messages()[0].text, "");
    EXPECT_TRUE(session->isAnswering());

    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(texts(), QStringList{"今天见"});
    EXPECT_EQ(session->error(), "");
    const auto chat = sent(0);
    EXPECT_EQ(chat, CoachSession::briefingMessages(
                        facts->build(clock.now()),
                        CoachHistory::Briefing{"2026-10-06", yesterday.left(900)}));
    const QJsonObject request = server.requests()[0].json();
    EXPECT_EQ(request["temperature"].toDouble(), 0.7);
    EXPECT_TRUE(request["stream"].toBool());
    ASSERT_EQ(stored().size(), 2);
    EXPECT_EQ(stored().last().day, "2026-10-07");
    EXPECT_EQ(stored().last().messages, session->messages());

    // Later the same day, and in a new session, the stored brief is shown without a request.
    clock.advance(3600 * 1000);
    session->open();
    session = makeSession();
    session->open();
    EXPECT_EQ(texts(), QStringList{"今天见"});
    EXPECT_FALSE(session->isAnswering());
    EXPECT_EQ(server.requests().size(), 1);

    // The next day brings a new brief, which follows up this one.
    clock.advance(24 * 3600 * 1000);
    server.enqueue(answer({"明天"}));
    session->open();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_TRUE(sent(1)[1].content.contains("\n\n你上次（2026-10-07）写的简报：\n今天见\n\n请写"));
}

TEST_F(CoachSessionTest, openingAndSendingDuringAnAnswerChangeNothing)
{
    server.enqueue(answer({"半"}, Ending::hold));
    session->open();
    ASSERT_TRUE(waitForText());

    session->open();
    session->setInput("  next question ");
    session->send();
    session->send("请求", QStringLiteral("标题"));
    EXPECT_EQ(texts(), QStringList{"半"});
    EXPECT_TRUE(session->isAnswering());
    EXPECT_EQ(session->input(), "  next question ");
    QTest::qWait(50);
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(CoachSessionTest, stoppingMidStreamKeepsAndFilesWhatArrived)
{
    server.enqueue(answer({"前半"}, Ending::hold));
    session->open();
    ASSERT_TRUE(waitForText());
    EXPECT_EQ(server.openConnections(), 1);

    session->stop();
    EXPECT_FALSE(session->isAnswering());
    EXPECT_TRUE(FakeChatServer::waitFor([this] { return server.openConnections() == 0; }));
    EXPECT_EQ(texts(), QStringList{"前半"});
    EXPECT_EQ(session->error(), "");
    ASSERT_EQ(stored().size(), 1);
    EXPECT_EQ(stored()[0].messages, session->messages());

    // A refresh drops a running answer for the new brief.
    server.enqueue(answer({"旧"}, Ending::hold));
    server.enqueue(answer({"新的简报"}));
    session->writeBriefing();
    ASSERT_TRUE(waitForText());
    session->writeBriefing();
    ASSERT_TRUE(waitUntilIdle());
    QTest::qWait(50);
    EXPECT_EQ(texts(), QStringList{"新的简报"});
    EXPECT_EQ(stored()[0].messages, session->messages());
}

TEST_F(CoachSessionTest, aTypedQuestionIsSentTrimmedWithTheWholeDay)
{
    briefed();
    server.enqueue(answer({"回答"}));
    session->setInput("  hello \n");
    session->send();
    EXPECT_EQ(session->input(), "");
    ASSERT_EQ(session->messages().size(), 3);
    EXPECT_EQ(session->messages()[1].text, "hello");
    EXPECT_FALSE(session->messages()[1].fromCoach);
    EXPECT_FALSE(session->messages()[1].shown);
    ASSERT_TRUE(waitUntilIdle());

    EXPECT_EQ(sent(1), CoachPrompts::question(facts->build(clock.now()),
                                              {CoachMessage::make(true, "简报")}, "hello"));
    EXPECT_EQ(sent(1).last().content, "hello" + kAnswerStyle);
    EXPECT_EQ(texts(), (QStringList{"简报", "hello", "回答"}));
    EXPECT_EQ(stored().last().messages, session->messages());

    // A preset question leaves the field as it is and shows its title.
    server.enqueue(answer({"三个词"}));
    session->setInput("draft");
    session->send("长长的请求", QStringLiteral("今天重点记哪几个？"));
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(session->input(), "draft");
    EXPECT_EQ(session->messages()[3].text, "长长的请求");
    EXPECT_EQ(session->messages()[3].shown, "今天重点记哪几个？");
    EXPECT_EQ(sent(2).size(), 6);
    EXPECT_EQ(sent(2)[4].content, "回答");

    session->setInput(" \n\t");
    session->send();
    EXPECT_EQ(server.requests().size(), 3);
}

TEST_F(CoachSessionTest, aFailedAnswerGivesTheQuestionBackForAnotherTry)
{
    briefed();
    server.enqueue(FakeReply::text(401, "{}"));
    session->setInput("why?");
    session->send();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(texts(), QStringList{"简报"});
    EXPECT_EQ(session->input(), "why?");
    EXPECT_EQ(session->error(), kWrongKey);
    EXPECT_EQ(stored().last().messages, session->messages());

    // A preset question is a chip: nothing goes back into the field, and a draft stays there.
    server.enqueue(FakeReply::text(401, "{}"));
    session->setInput("my draft");
    session->send("长长的请求", QStringLiteral("标题"));
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(texts(), QStringList{"简报"});
    EXPECT_EQ(session->input(), "my draft");

    // Sending again clears the error.
    server.enqueue(answer({"好"}));
    session->send();
    EXPECT_EQ(session->error(), "");
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(texts(), (QStringList{"简报", "my draft", "好"}));
}

TEST_F(CoachSessionTest, anAnswerBrokenOffKeepsItsPartAndItsQuestion)
{
    briefed();
    FakeReply broken = answer({"一半"}, Ending::breakOff);
    broken.chunked = false; // the body promises more than comes
    server.enqueue(broken);
    session->setInput("q");
    session->send();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(texts(), (QStringList{"简报", "q", "一半"}));
    EXPECT_EQ(session->input(), "");
    EXPECT_FALSE(session->error().isEmpty());
    EXPECT_EQ(stored().last().messages, session->messages());
}

TEST_F(CoachSessionTest, aFailedBriefEmptiesTheConversationUntilTheRetry)
{
    server.enqueue(FakeReply::text(402, "{}"));
    session->open();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_TRUE(session->messages().isEmpty());
    EXPECT_EQ(session->error(), "DeepSeek 账户余额不足，请先充值。");
    EXPECT_FALSE(folder.exists("coach.json"));

    server.enqueue(answer({"终于"}));
    session->writeBriefing();
    EXPECT_EQ(session->error(), "");
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(texts(), QStringList{"终于"});

    // An answer that ends without any text leaves its placeholder, which is never stored.
    server.enqueue(answer({}));
    session->writeBriefing();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(texts(), QStringList{""});
    EXPECT_EQ(stored().last().messages.first().text, "终于");
}

TEST_F(CoachSessionTest, noSecretGoesOutWithAQuestion)
{
    config.syncToken = "sync-token-77d0e1";
    briefed();
    server.enqueue(answer({"ok"}));
    session->send("is " + kKey + " or " + config.syncToken + " safe?", std::nullopt);
    ASSERT_TRUE(waitUntilIdle());
    const QByteArray body = server.requests().last().body;
    EXPECT_FALSE(body.contains(kKey.toUtf8()));
    EXPECT_FALSE(body.contains(config.syncToken.toUtf8()));
    EXPECT_TRUE(sent(1).last().content.startsWith("is *** or *** safe?"));
}
