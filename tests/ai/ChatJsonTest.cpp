#include "AITestSupport.h"

#include "ai/DeepSeekClient.h"
#include "ai/TransportError.h"

#include <QJsonArray>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

const QString runReply = QStringLiteral(R"({"headword": "run", "meaning_zh": "跑"})");

class ChatJsonTest : public ::testing::Test {
protected:
    QCoro::Task<Explanation> explain(const AppConfig& config) const
    {
        return DeepSeekClient(config).explain("ran", "He ran.");
    }

    // The message of the AI error that the server's reply ends the exchange with.
    QString errorAfter(const FakeReply& reply)
    {
        server.enqueue(reply);
        const std::optional<AIError> error = aiErrorOf(explain(configFor(server)));
        return error ? error->errorDescription() : QStringLiteral("(no AI error)");
    }

    FakeChatServer server;
};

} // namespace

TEST_F(ChatJsonTest, sendsOneCompactJsonPostAndDecodesTheFirstChoice)
{
    AppConfig config = configFor(server);
    config.apiKey = " \n" + testKey + "\t\n";
    config.model = " my-model ";
    FakeReply slow = FakeReply::chatContent(runReply);
    slow.delayMilliseconds = 300;
    server.enqueue(slow);

    const Explanation explanation =
        awaitTask(DeepSeekClient(config).chatJSON<Explanation>("system text", "user text"));

    EXPECT_EQ(explanation.headword, "run");
    ASSERT_EQ(server.requests().size(), 1);
    const RecordedRequest& request = server.requests().first();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, "/chat/completions");
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_TRUE(request.header("Authorization") == "Bearer " + testKey.toUtf8());
    EXPECT_FALSE(request.body.contains('\n'));
    const QJsonObject expected{
        {"model", " my-model "},
        {"messages", QJsonArray{QJsonObject{{"role", "system"}, {"content", "system text"}},
                                QJsonObject{{"role", "user"}, {"content", "user text"}}}},
        {"response_format", QJsonObject{{"type", "json_object"}}},
        {"temperature", 0.2},
        {"stream", false}};
    EXPECT_EQ(request.json(), expected);
}

TEST_F(ChatJsonTest, nothingIsSentWithoutAUsableKeyOrAddress)
{
    AppConfig blankKey = configFor(server);
    blankKey.apiKey = " \n\t \r\n";
    EXPECT_EQ(kindOf(explain(blankKey)), AIError::Kind::noKey);

    AppConfig splitKey = configFor(server); // would break the header open
    splitKey.apiKey = testKey + "\r\nX-Injected: 1";
    EXPECT_EQ(kindOf(explain(splitKey)), AIError::Kind::unauthorized);

    AppConfig lineBreak = configFor(server); // line breaks are not trimmed
    lineBreak.baseURL = server.baseURL() + "\n";
    EXPECT_EQ(kindOf(explain(lineBreak)), AIError::Kind::badResponse);

    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(ChatJsonTest, baseUrlIsTrimmedOfBlanksAndSlashesAtBothEnds)
{
    AppConfig config = configFor(server);
    config.baseURL = " /" + server.baseURL() + "// \t";
    server.enqueue(FakeReply::chatContent(runReply));
    awaitTask(explain(config));
    EXPECT_EQ(server.requests().last().path, "/chat/completions");
}

TEST_F(ChatJsonTest, repliesBecomeTheirErrors)
{
    const QString bad = AIError::badResponse().errorDescription();
    const QJsonObject emptyMessage{{"message", QJsonObject()}};
    const std::pair<FakeReply, QString> cases[] = {
        {FakeReply::text(401, "bad key"), "API key 不正确，请在设置里检查一下。"},
        {FakeReply::text(402, "pay"), "DeepSeek 账户余额不足，请先充值。"},
        {FakeReply::text(429, "Rate limit"), "DeepSeek 返回错误 429：Rate limit"},
        {FakeReply::text(500, QByteArray(500, 'x')), "DeepSeek 返回错误 500：" + QString(200, 'x')},
        {FakeReply::text(503, "not \xff utf-8"), "DeepSeek 返回错误 503："},
        {FakeReply::text(200, "not json"), bad},
        {FakeReply::json({{"choices", QJsonArray()}}), bad},
        {FakeReply::json({{"choices", QJsonArray{emptyMessage}}}), bad},
        {FakeReply::chatContent(""), bad},
        {FakeReply::chatContent("```json\n" + runReply + "\n```"), bad},
        {FakeReply::chatContent("[" + runReply + "]"), bad},
        {FakeReply::chatContent(R"({"headword": "run"})"), bad},
    };
    for (const auto& [reply, message] : cases)
        EXPECT_EQ(errorAfter(reply), message) << reply.fragments.first().toStdString();
}

// Qt turns some statuses into errors of its own (407 into a proxy error, a redirect without a
// target into a protocol error); every one of them is still the service's answer.
TEST_F(ChatJsonTest, everyStatusButTwoHundredIsAnHttpErrorWithItsBody)
{
    for (int status : {301, 302, 307, 400, 403, 404, 405, 407, 409, 413, 416, 418, 500, 502, 503})
        EXPECT_EQ(errorAfter(FakeReply::text(status, "body of " + QByteArray::number(status))),
                  "DeepSeek 返回错误 " + QString::number(status) + "：body of " +
                      QString::number(status))
            << status;
}

TEST_F(ChatJsonTest, onlyKeysOfARealisticLengthAreMasked)
{
    AppConfig shortKey = configFor(server);
    shortKey.apiKey = QStringLiteral("s");
    server.enqueue(FakeReply::text(404, "busy"));
    const std::optional<AIError> error = aiErrorOf(explain(shortKey));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->errorDescription(), "DeepSeek 返回错误 404：busy");

    AppConfig eight = configFor(server);
    eight.apiKey = QStringLiteral("sk-12345");
    server.enqueue(FakeReply::text(400, "echo sk-12345 here"));
    EXPECT_EQ(aiErrorOf(explain(eight))->errorDescription(),
              "DeepSeek 返回错误 400：echo *** here");
}

TEST_F(ChatJsonTest, transportFailuresReachTheCallerUnwrapped)
{
    // Port 1 on loopback has no listener; a port freed by this test could be taken by another
    // test running in parallel.
    AppConfig refused = configFor(server);
    refused.baseURL = QStringLiteral("http://127.0.0.1:1");
    try {
        awaitTask(explain(refused));
        ADD_FAILURE() << "a refused connection succeeded";
    } catch (const TransportError& error) {
        EXPECT_EQ(error.code(), QNetworkReply::ConnectionRefusedError);
        EXPECT_FALSE(error.message().isEmpty());
    }

    // Qt may take a connection closed mid-body for the end of the body, so a reply cut short
    // fails either in transport or as unreadable, but never yields a record.
    FakeReply cut = FakeReply::chatContent(runReply);
    cut.fragments.first().chop(10);
    cut.ending = FakeReply::Ending::breakOff;
    server.enqueue(cut);
    try {
        awaitTask(explain(configFor(server)));
        ADD_FAILURE() << "a reply cut short was decoded";
    } catch (const TransportError&) {
    } catch (const AIError& error) {
        EXPECT_EQ(error.kind(), AIError::Kind::badResponse);
    }
}

TEST_F(ChatJsonTest, theKeyNeverShowsInAnErrorEvenWhenTheServerEchoesIt)
{
    const QByteArray key = testKey.toUtf8();
    for (int status : {400, 401, 402, 500}) {
        EXPECT_FALSE(errorAfter(FakeReply::text(status, "bad key " + key)).contains(testKey));
        // Masked before the cut, so no beginning of the key is left at the 200th character.
        const QString cut = errorAfter(FakeReply::text(status, QByteArray(190, '.') + key));
        EXPECT_FALSE(cut.contains(testKey.left(8))) << status;
    }
}
