#include "AITestSupport.h"

#include "ai/DeepSeekClient.h"
#include "ai/LineSplitter.h"

#include <QJsonArray>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

using Ending = FakeReply::Ending;

const QList<DeepSeekClient::ChatMessage> conversation{{"system", "You are a coach."},
                                                      {"user", "How am I doing?"}};

QByteArray delta(const QString& text)
{
    return FakeReply::deltaEvent(text);
}

class StreamChatTest : public ::testing::Test {
protected:
    ChatStream* stream(const AppConfig& config) const
    {
        return DeepSeekClient(config).streamChat(conversation, 0.7);
    }

    // Streams against the scripted reply and waits for the end.
    std::unique_ptr<StreamRecorder> streamAfter(const FakeReply& reply)
    {
        server.enqueue(reply);
        auto recorder = std::make_unique<StreamRecorder>(stream(configFor(server)));
        EXPECT_TRUE(recorder->waitForEnd());
        return recorder;
    }

    FakeChatServer server;
};

} // namespace

TEST_F(StreamChatTest, sendsTheConversationAndDeliversTextCutAnywhere)
{
    const QByteArray chinese = delta("你好");
    const qsizetype inCharacter = chinese.indexOf("你") + 1; // inside its UTF-8 bytes
    const auto recorder = streamAfter(FakeReply::events({
        ": keep-alive\n\n" + delta("Hello").left(10),
        delta("Hello").mid(10) + chinese.left(inCharacter),
        chinese.mid(inCharacter) + "event: message\r\n" + delta(" world") + "data:",
        " [DONE] \t\n\n" + delta("after the end"),
    }));

    EXPECT_EQ(recorder->texts, (QStringList{"Hello", "你好", " world"}));
    EXPECT_TRUE(recorder->finished);
    EXPECT_EQ(recorder->endings, 1);
    const RecordedRequest& request = server.requests().first();
    EXPECT_EQ(request.path, "/chat/completions");
    EXPECT_TRUE(request.header("Authorization") == "Bearer " + testKey.toUtf8());
    const QJsonObject expected{
        {"model", "deepseek-chat"},
        {"messages", QJsonArray{QJsonObject{{"role", "system"}, {"content", "You are a coach."}},
                                QJsonObject{{"role", "user"}, {"content", "How am I doing?"}}}},
        {"stream", true},
        {"temperature", 0.7}};
    EXPECT_EQ(request.json(), expected);
}

TEST_F(StreamChatTest, skipsEventsWithoutTextAndEndsWithTheBody)
{
    const QByteArray last = delta("last");
    const auto recorder = streamAfter(FakeReply::events({
        "data: {\"choices\": [{\"delta\": {\"content\": \"a\"\n", // broken JSON
        delta("") + "data: {\"choices\": []}\n" + "data: {\"id\": 1}\n",
        "data: {\"choices\": [{\"delta\": {\"role\": \"assistant\"}}]}\n",
        delta("kept") + last.left(last.indexOf('\n')), // the body ends without a line break
    }));
    EXPECT_EQ(recorder->texts, (QStringList{"kept", "last"}));
    EXPECT_TRUE(recorder->finished);
}

TEST_F(StreamChatTest, aStreamThatBreaksOffEndsOnceAfterWhatArrived)
{
    // Whether the broken connection ends the stream as a failure (with the network's message) or
    // as the end of the body is Qt's call; the event cut in half never yields text.
    const auto recorder = streamAfter(
        FakeReply::events({delta("partial"), delta("cut in half").left(20)}, Ending::breakOff));
    EXPECT_EQ(recorder->texts, QStringList{"partial"});
    EXPECT_EQ(recorder->endings, 1);
    EXPECT_TRUE(recorder->finished || !recorder->failure->isEmpty());
}

TEST_F(StreamChatTest, cancellingStopsTheTextAtOnceAndClosesTheConnection)
{
    // Three events in one read, one more later on a connection the server keeps open.
    server.enqueue(FakeReply::events({delta("one") + delta("two") + delta("three"), delta("four")},
                                     Ending::hold));
    StreamRecorder recorder(stream(configFor(server)));
    recorder.onText = [&recorder] { recorder.stream()->cancel(); };

    ASSERT_TRUE(FakeChatServer::waitFor([&] { return !recorder.texts.isEmpty(); }));
    EXPECT_TRUE(FakeChatServer::waitFor([&] { return server.openConnections() == 0; }));
    QTest::qWait(100); // time for the later event, had the connection stayed open
    EXPECT_EQ(recorder.texts, QStringList{"one"});
    EXPECT_EQ(recorder.endings, 0);

    // Deleting a stream that is under way closes it too.
    server.enqueue(FakeReply::events({delta("one")}, Ending::hold));
    ChatStream* deleted = stream(configFor(server));
    bool arrived = false;
    QObject::connect(deleted, &ChatStream::textReceived, [&arrived] { arrived = true; });
    ASSERT_TRUE(FakeChatServer::waitFor([&] { return arrived; }));
    delete deleted;
    EXPECT_TRUE(FakeChatServer::waitFor([&] { return server.openConnections() == 0; }));
}

TEST_F(StreamChatTest, errorStatusesEndTheStreamWithTheirErrors)
{
    EXPECT_EQ(streamAfter(FakeReply::text(401, "no"))->failure,
              "API key 不正确，请在设置里检查一下。");
    EXPECT_EQ(streamAfter(FakeReply::text(402, "no"))->failure,
              "DeepSeek 账户余额不足，请先充值。");
    EXPECT_EQ(streamAfter(FakeReply::text(429, "too\nmany\r\nrequests\n"))->failure,
              "DeepSeek 返回错误 429：toomanyrequests");
    // Enough is read without waiting for the end of the body.
    FakeReply longBody =
        FakeReply::events({QByteArray(150, 'a') + "\n", QByteArray(150, 'b') + "\n"}, Ending::hold);
    longBody.status = 500;
    EXPECT_EQ(streamAfter(longBody)->failure,
              "DeepSeek 返回错误 500：" + QString(150, 'a') + QString(50, 'b'));
    EXPECT_FALSE(
        streamAfter(FakeReply::text(500, "key " + testKey.toUtf8()))->failure->contains(testKey));
    for (int status : {301, 404, 407})
        EXPECT_EQ(streamAfter(FakeReply::text(status, "why"))->failure,
                  "DeepSeek 返回错误 " + QString::number(status) + "：why")
            << status;
}

TEST_F(StreamChatTest, failuresBeforeSendingArriveAsSignalsAfterTheCall)
{
    AppConfig blankKey = configFor(server);
    blankKey.apiKey = "  ";
    StreamRecorder noKey(stream(blankKey));
    AppConfig badBase = configFor(server);
    badBase.baseURL = "http://exa mple.com";
    StreamRecorder badAddress(stream(badBase));
    StreamRecorder notANumber(
        DeepSeekClient(configFor(server)).streamChat(conversation, std::nan("")));

    EXPECT_TRUE(noKey.waitForEnd() && badAddress.waitForEnd() && notANumber.waitForEnd());
    EXPECT_EQ(noKey.failure, AIError::noKey().errorDescription());
    EXPECT_EQ(badAddress.failure, AIError::badResponse().errorDescription());
    EXPECT_TRUE(notANumber.failure);
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST(LineSplitterTest, linesEndAtAnyLineBreakEvenWhenItsTwoBytesArriveApart)
{
    LineSplitter lines;
    lines.append("a\r");
    EXPECT_EQ(lines.next(), std::nullopt);
    lines.append("\nb\rc\n\nd");
    for (const char* expected : {"a", "b", "c", ""})
        EXPECT_EQ(lines.next(), expected);
    EXPECT_EQ(lines.next(), std::nullopt);
    lines.finish();
    EXPECT_EQ(lines.next(), "d");
}
