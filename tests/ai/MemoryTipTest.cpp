#include "AITestSupport.h"

#include "ai/AIMnemonicSource.h"
#include "model/ConfigStore.h"
#include "model/JsonFields.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

WordEntry word(const QString& headword, Stage stage, const QDateTime& now)
{
    WordEntry entry;
    entry.id = QUuid::createUuid();
    entry.headword = headword;
    entry.pos = "adj.";
    entry.meaningZh = "不情愿的";
    entry.createdAt = now;
    entry.stage = stage;
    return entry;
}

} // namespace

TEST(MemoryTipTest, aNewLeechGetsItsTipFromTheServiceWithTheKeyEnteredAfterStart)
{
    FakeChatServer server;
    DataFolder folder;
    FakeClock clock;
    ConfigStore configs(folder.path("config.json"), clock);
    AIMnemonicSource source(configs);
    // One lapse short of the default leech threshold of 4.
    WordEntry forgotten = word("reluctant", Stage::learning, clock.now());
    forgotten.review = ReviewState{2.0, 8.0, clock.now(), clock.now().addDays(-2), 6, 3, 1};
    const QList<WordEntry> words{forgotten, word("stay", Stage::mastered, clock.now())};
    folder.write("words.json", QJsonDocument(Json::toArray(words)).toJson());
    WordStore store(folder.paths(), clock, [&configs] { return configs.config(); });
    store.setMnemonicSource(&source);

    configs.setConfig(configFor(server));
    server.enqueue(FakeReply::chatContent(R"({"tip_zh": "联想：re-luct-ant"})"));
    EXPECT_EQ(store.applyReview(forgotten.id, Rating::again, "review"), ReviewOutcome::becameLeech);

    ASSERT_TRUE(
        FakeChatServer::waitFor([&] { return store.entries().first().mnemonic.has_value(); }));
    EXPECT_EQ(store.entries().first().mnemonic, "联想：re-luct-ant");
    const QJsonArray onDisk = QJsonDocument::fromJson(folder.read("words.json")).array();
    EXPECT_EQ(Json::objectList<WordEntry>(onDisk, "words").first().mnemonic, "联想：re-luct-ant");
    const RecordedRequest& request = server.requests().first();
    EXPECT_TRUE(request.header("Authorization") == "Bearer " + testKey.toUtf8());
    EXPECT_EQ(request.json()["messages"].toArray().at(1).toObject()["content"].toString(),
              "要记的词：reluctant（adj. 不情愿的）\n他已经掌握的词：stay");
}
