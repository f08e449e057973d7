#include "app/ProcessServices.h"
#include "model/JsonFields.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeChatServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QScopeGuard>

#include <gtest/gtest.h>

using namespace glossivo;
using glossivo::testing::DataFolder;
using glossivo::testing::FakeChatServer;
using glossivo::testing::FakeReply;

// The process's word book, joined by the composition root, asks the configured AI service for
// the memory tip of a new leech. The process-wide objects are built once and bound for good to
// the data folder of their first use, so this is the one test of its program that builds them;
// the others give their objects explicit folders.
TEST(ProcessServices, TheProcessWordBookAsksTheAIServiceForTips)
{
    const DataFolder folder;
    FakeChatServer server;
    folder.write("config.json", QJsonDocument(QJsonObject{{"apiKey", "sk-services-test-0001"},
                                                          {"baseURL", server.baseURL()},
                                                          {"leechThreshold", 1}})
                                    .toJson());
    WordEntry word;
    word.id = QUuid::createUuid();
    word.headword = QStringLiteral("ferry");
    word.meaningZh = QStringLiteral("渡船");
    word.createdAt = QDateTime::currentDateTimeUtc().addDays(-3);
    word.lookupCount = 1;
    word.stage = Stage::learning;
    folder.write("words.json", QJsonDocument(Json::toArray(QList<WordEntry>{word})).toJson());
    const QByteArray dataDir = qgetenv("GLOSSIVO_DATA_DIR"); // null when not set
    const auto restore = qScopeGuard([&dataDir] {
        dataDir.isNull() ? qunsetenv("GLOSSIVO_DATA_DIR") : qputenv("GLOSSIVO_DATA_DIR", dataDir);
    });
    qputenv("GLOSSIVO_DATA_DIR", folder.paths().supportDir().toLocal8Bit());
    server.enqueue(FakeReply::chatContent(R"({"tip_zh": "想象一艘渡船"})"));

    ProcessServices::install();
    WordStore& store = WordStore::shared();
    ASSERT_EQ(store.applyReview(word.id, Rating::again, "review"), ReviewOutcome::becameLeech);
    EXPECT_TRUE(FakeChatServer::waitFor([&] { return store.entries()[0].mnemonic.has_value(); }));
    EXPECT_EQ(store.entries()[0].mnemonic, QStringLiteral("想象一艘渡船"));
    EXPECT_EQ(server.requests().size(), 1);
}
