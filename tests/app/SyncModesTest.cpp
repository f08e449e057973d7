#include "ProgramRun.h"

#include "support/FakeSyncServer.h"
#include "sync/SyncBundle.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <sys/file.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

class SyncModes : public ::testing::Test {
protected:
    ProgramOutcome run(const QStringList& arguments) { return runIn(data, arguments); }
    QJsonObject config() const
    {
        return QJsonDocument::fromJson(data.read("config.json")).object();
    }

    // What another device stored: the given words and one learning-log line for each.
    void anotherDeviceStores(const QStringList& headwords)
    {
        const QDateTime at(QDate(2026, 10, 1), QTime(8, 0), QTimeZone::utc());
        SyncBundle bundle = SyncBundle::parse(server.bundle().isEmpty() ? "{}" : server.bundle());
        for (const QString& headword : headwords) {
            WordEntry word;
            word.id = QUuid::createUuid();
            word.headword = headword;
            word.meaningZh = QStringLiteral("意思");
            word.createdAt = at;
            word.lookupCount = 1;
            bundle.words.append(word);
            bundle.log.append(
                QStringLiteral(R"({"kind":"save","time":"2026-10-01T08:00:00Z","word":"%1"})")
                    .arg(headword));
        }
        server.store(bundle.json());
    }

    FakeSyncServer server;
    DataFolder data;
};

} // namespace

TEST_F(SyncModes, ConnectRefusesAMalformedCodeAndTouchesNothing)
{
    for (const QString& code :
         {QStringLiteral("hello"), server.link().text().replace("https", "http")}) {
        const ProgramOutcome outcome = run({"--sync-connect", code});
        EXPECT_EQ(outcome.out, "同步码格式不对\n");
        EXPECT_EQ(outcome.status, 1) << outcome.err.toStdString();
    }
    EXPECT_FALSE(data.exists("config.json"));
}

// A code that never reached the disk is no connection: the next start would not know it.
TEST_F(SyncModes, ConnectFailsWhenTheCodeCannotBeSaved)
{
    ASSERT_TRUE(QDir().mkpath(data.path("config.json")));
    const ProgramOutcome outcome = run({"--sync-connect", server.link().text()});
    EXPECT_EQ(outcome.out, "没能保存同步码：config.json：读不了的原文件没能先另存一份，不覆盖它\n");
    EXPECT_EQ(outcome.status, 1);
}

TEST_F(SyncModes, ConnectPrintsTheServerCheckSentenceAndStoresNothing)
{
    server.answerAll(401);
    ProgramOutcome outcome = run({"--sync-connect", server.link().text()});
    EXPECT_EQ(outcome.out, "同步码里的密码不对\n");
    EXPECT_EQ(outcome.status, 1) << outcome.err.toStdString();

    FakeSyncServer impostor(FakeSyncServer::Certificate::other);
    SyncLink wrongPin = impostor.link();
    wrongPin.pin = FakeSyncServer::pinOf(FakeSyncServer::Certificate::server);
    outcome = run({"--sync-connect", wrongPin.text()});
    EXPECT_EQ(outcome.out, "服务器的证书对不上，可能连到了别的地方\n");
    EXPECT_EQ(outcome.status, 1) << outcome.err.toStdString();
    EXPECT_EQ(impostor.bytesReceived(), 0);
    EXPECT_FALSE(data.exists("config.json"));
}

TEST_F(SyncModes, SyncNowWithoutACodeSucceedsWithTheWordCount)
{
    const ProgramOutcome outcome = run({"--sync-now"});
    EXPECT_EQ(outcome.out, "同步好了：0 个词\n");
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.err, "");
}

// As a new user would: the code is pasted from a chat with words before it and a line after it,
// its pin in capitals; the server has a self-signed certificate and weak ETags.
TEST_F(SyncModes, ANewDeviceConnectsAndBringsInTheServersWordsAndLog)
{
    server.useWeakETags(true);
    anotherDeviceStores({"serendipity", "ubiquitous"});
    SyncLink link = server.link();
    link.pin = link.pin.toUpper();
    const QString pasted = "这是我的同步码 " + link.text() + "\n别发给别人";

    ProgramOutcome outcome = run({"--sync-connect", pasted});
    EXPECT_EQ(outcome.out, "已连接 127.0.0.1\n");
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(config()["syncServer"].toString(), server.baseURL());
    EXPECT_EQ(config()["syncToken"].toString(), FakeSyncServer::defaultToken());
    EXPECT_EQ(config()["syncPin"].toString(), link.pin.toLower());
    EXPECT_EQ(server.requestCount("GET", "/v1/bundle"), 0); // connecting runs no pass

    outcome = run({"--sync-now"});
    EXPECT_EQ(outcome.out, "同步好了：2 个词\n");
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_TRUE(data.read("words.json").contains("serendipity"));
    EXPECT_EQ(data.read("learning-log.jsonl").count("\"kind\":\"save\""), 2);
    EXPECT_TRUE(data.exists("sync-state.json"));

    anotherDeviceStores({"ephemeral"});
    outcome = run({"--sync-now"});
    EXPECT_EQ(outcome.out, "同步好了：3 个词\n");
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(data.read("learning-log.jsonl").count("\"kind\":\"save\""), 3);

    // Another Glossivo process keeps the word book's lock: the merged words do not reach this
    // disk, and the pass does not say it is done.
    anotherDeviceStores({"quixotic"});
    QFile lock(data.path("word-book.lock"));
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite) && ::flock(lock.handle(), LOCK_EX) == 0);
    outcome = run({"--sync-now"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.out.startsWith("同步了，但没能保存：")) << outcome.out.toStdString();
    EXPECT_FALSE(data.read("words.json").contains("quixotic"));
}

TEST_F(SyncModes, AFailedPassPrintsTheSentenceAndTheDetail)
{
    ASSERT_EQ(run({"--sync-connect", server.link().text()}).status, 0);
    server.answerAll(500);
    const ProgramOutcome outcome = run({"--sync-now"});
    EXPECT_EQ(outcome.out, "同步失败：服务器出错了（500）\nHTTP status 500\n");
    EXPECT_EQ(outcome.status, 1) << outcome.err.toStdString();
}
