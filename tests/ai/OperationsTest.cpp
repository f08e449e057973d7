#include "AITestSupport.h"

#include "ai/AIPrompts.h"
#include "ai/DeepSeekClient.h"

#include <QCryptographicHash>
#include <QJsonArray>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

class OperationsTest : public ::testing::Test {
protected:
    DeepSeekClient client() const { return DeepSeekClient(configFor(server)); }

    // The system and user texts of the last request.
    std::pair<QString, QString> sent() const
    {
        const QJsonArray messages = server.requests().last().json().value("messages").toArray();
        return {messages.at(0).toObject().value("content").toString(),
                messages.at(1).toObject().value("content").toString()};
    }

    FakeChatServer server;
};

WordEntry reluctant()
{
    WordEntry entry;
    entry.headword = "reluctant";
    entry.pos = "adj.";
    entry.meaningZh = "不情愿的";
    Example older, last;
    older.sentence = "An older sentence.";
    last.sentence = "She was reluctant to leave.";
    entry.examples = {older, last};
    entry.familyRoot = "reluctance";
    entry.affixes = QList<Affix>{Affix::un, Affix::able};
    return entry;
}

} // namespace

TEST(AIPromptsTest, systemPromptsAreTheFixedContractTexts)
{
    const auto sha256 = [](const QString& text) {
        return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex();
    };
    EXPECT_EQ(sha256(AIPrompts::explainPrompt()),
              "22b37caab50af33b71fd278a017ca9117d7b597c5b40f8988028cd6484ce62b9");
    EXPECT_TRUE(AIPrompts::explainPrompt().contains(R"(from this list: "un-", "in-", "dis-")"));
    EXPECT_EQ(sha256(AIPrompts::lookupPrompt()),
              "c578fad55b56835e3f81c5b8285c7586486818d138dbf45316095733b86b6d20");
    EXPECT_TRUE(AIPrompts::lookupPrompt().endsWith(R"("-ship"; [] for names or if none apply)"));
    EXPECT_EQ(sha256(AIPrompts::translationPrompt()),
              "b002f900ff7fac712b94ef921e261ea25a6fb018d5948fa8a1766329b6161c1b");
    EXPECT_EQ(sha256(AIPrompts::mnemonicPrompt()),
              "abd65aea208d1d9fcc2b2a2d4dae82f1064ca75e6c9c206bee86bfc986195c91");
}

TEST_F(OperationsTest, eachOperationSendsItsPromptAndItsMessageCut)
{
    const QString run = R"({"headword": "run", "meaning_zh": "跑"})";
    server.enqueue(FakeReply::chatContent(run));
    awaitTask(client().explain(" ran ", QString(2000, 'c')));
    EXPECT_EQ(sent(), std::pair(AIPrompts::explainPrompt(),
                                "Selection:  ran \nSurrounding text: " + QString(1500, 'c')));
    for (const std::optional<QString>& none :
         {std::optional<QString>(), std::optional(QString())}) {
        server.enqueue(FakeReply::chatContent(run));
        awaitTask(client().explain("ran", none));
        EXPECT_EQ(sent().second, "Selection: ran\nSurrounding text: (none)");
    }

    server.enqueue(FakeReply::chatContent(run));
    EXPECT_EQ(awaitTask(client().lookup(QString(300, 'q'))).explanation.headword, "run");
    EXPECT_EQ(sent(), std::pair(AIPrompts::lookupPrompt(), "Query: " + QString(200, 'q')));

    server.enqueue(FakeReply::chatContent(R"({"translation_zh": "译文"})"));
    EXPECT_EQ(awaitTask(client().translate(QString(4000, 'p') + "zzz")).translationZh, "译文");
    EXPECT_EQ(sent(), std::pair(AIPrompts::translationPrompt(), QString(4000, 'p')));
}

TEST_F(OperationsTest, mnemonicDescribesTheWordAndReturnsTheTipUntrimmed)
{
    server.enqueue(FakeReply::chatContent(R"({"tip_zh": "联想：re + luct \n"})"));
    EXPECT_EQ(awaitTask(client().mnemonic(reluctant(), {"leave", "stay"}, {"reddit.com", "HN"})),
              "联想：re + luct \n");
    EXPECT_EQ(sent().first, AIPrompts::mnemonicPrompt());
    EXPECT_EQ(sent().second, "要记的词：reluctant（adj. 不情愿的）"
                             "\n他遇到它的句子：She was reluctant to leave."
                             "\n词根：reluctance\n词缀：un- -able"
                             "\n他已经掌握的词：leave, stay\n他常看的网站和内容：reddit.com；HN");

    WordEntry bare = reluctant();
    bare.examples.last().sentence.clear(); // earlier sentences do not stand in for it
    bare.familyRoot = QString();           // present though empty
    bare.affixes = QList<Affix>();
    EXPECT_EQ(AIPrompts::mnemonicMessage(bare, {}, {}),
              "要记的词：reluctant（adj. 不情愿的）\n词根：");

    server.enqueue(FakeReply::chatContent(R"({"tip": "wrong key"})"));
    EXPECT_EQ(kindOf(client().mnemonic(bare, {}, {})), AIError::Kind::badResponse);
}
