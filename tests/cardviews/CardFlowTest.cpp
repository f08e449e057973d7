#include "CardViewFixture.h"

#include "card/DeepSeekCardAI.h"
#include "support/FakeChatServer.h"

#include <QTest>

using namespace glossivo;
using glossivo::testing::CardViewFixture;
using glossivo::testing::FakeChatServer;
using glossivo::testing::FakeReply;

namespace {

// The card over the real AI client, talking to the fake chat service: a lookup becomes a word
// card, "保存" puts the word into words.json, and the speak button reaches the speaker.
class CardFlowTest : public CardViewFixture {
protected:
    CardFlowTest()
    {
        config.apiKey = QStringLiteral("sk-card-flow-0d3e");
        config.baseURL = server.baseURL();
        controller = std::make_unique<CardController>(
            CardController::Services{deepSeek, *store, [this] { return config; }, clock});
        controller->setHooks({[this] { return source; },
                              {},
                              {},
                              [this](const QString& text) { spoken.append(text); }});
    }

    FakeChatServer server;
    DeepSeekCardAI deepSeek{[this] { return config; }};
    QStringList spoken;
};

TEST_F(CardFlowTest, ALookupEndsInAWordCardThatSavesTheWordWithItsSentenceAndSource)
{
    server.enqueue(FakeReply::chatContent(
        R"({"headword": "run", "pos": "v.", "meaning_zh": "跑", "sentence": "We ran home.",
            "sentence_zh": "我们跑回了家。", "surface_form": "ran", "form_kind": "past"})"));
    makeView();
    controller->lookup(QStringLiteral("ran"), QStringLiteral("After the rain, we ran home."),
                       QPoint(200, 200));
    ASSERT_TRUE(FakeChatServer::waitFor([this] { return word() != nullptr; }));
    const QString sent = server.requests()
                             .at(0)
                             .json()["messages"]
                             .toArray()
                             .at(1)
                             .toObject()
                             .value("content")
                             .toString();
    EXPECT_TRUE(sent.contains(QStringLiteral("ran")));
    EXPECT_TRUE(sent.contains(QStringLiteral("After the rain, we ran home.")));
    QTest::qWait(1);
    EXPECT_EQ(find<QLabel>("headwordLabel")->text(), QStringLiteral("run"));
    EXPECT_EQ(find<QLabel>("meaningLabel")->text(), QStringLiteral("跑"));

    find<QAbstractButton>("speakButton")->click();
    EXPECT_EQ(spoken, QStringList{QStringLiteral("run")});

    find<QAbstractButton>("saveButton")->click();
    QTest::qWait(1);
    EXPECT_NE(find("savedLabel"), nullptr);
    const QJsonArray words = QJsonDocument::fromJson(folder.read("words.json")).array();
    ASSERT_EQ(words.size(), 1);
    const QJsonObject run = words[0].toObject();
    EXPECT_EQ(run["headword"].toString(), QStringLiteral("run"));
    const QJsonObject example = run["examples"].toArray()[0].toObject();
    EXPECT_EQ(example["sentence"].toString(), QStringLiteral("We ran home."));
    EXPECT_EQ(example["sourceURL"].toString(), QStringLiteral("https://example.com/a"));
    EXPECT_EQ(example["sourceApp"].toString(), QStringLiteral("Firefox"));
}

} // namespace
