#include "CoachFixture.h"

#include "coach/CoachPrompts.h"
#include "coach/CoachQuestion.h"
#include "coach/CoachSession.h"
#include "model/Graphemes.h"

using namespace glossivo;
using glossivo::testing::CoachFixture;
using ChatMessage = DeepSeekClient::ChatMessage;

namespace {

const QString kInstructionsStart =
    QStringLiteral("\n\n请写今天的教练简报。按这个顺序，自然地说下来，分成几段短段落：\n");
const QString kInstructionsEnd =
    QStringLiteral("如果下面有你上次写的简报，不要重复上次说过的话，可以接着上次的建议问问效果。");

QString instructions()
{
    const QString user = CoachSession::briefingMessages("", std::nullopt).at(1).content;
    return user.mid(user.indexOf(u'\n') + 1);
}

} // namespace

TEST(CoachPrompts, thePersonaIsTwelveLinesNamingTheProduct)
{
    const QStringList lines = CoachPrompts::persona().split('\n');
    ASSERT_EQ(lines.size(), 12);
    EXPECT_TRUE(lines[0].startsWith("你是 Glossivo 里的英语教练"));
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "你说话的样子：");
    EXPECT_EQ(lines[11], "- 用简体中文，可以用 **加粗** 和 - 列表，不要用标题、表格和 emoji");
}

TEST(CoachPrompts, aBriefWithoutAPreviousOneIsTheRecordThenTheInstructions)
{
    const auto chat = CoachSession::briefingMessages("现在：2026-10-07\n第二行", std::nullopt);
    ASSERT_EQ(chat.size(), 2);
    EXPECT_EQ(chat[0], (ChatMessage{"system", CoachPrompts::persona()}));
    EXPECT_EQ(chat[1].role, "user");
    EXPECT_EQ(chat[1].content, "这是学习记录：\n现在：2026-10-07\n第二行" + instructions());
    EXPECT_TRUE(instructions().startsWith(kInstructionsStart));
    EXPECT_TRUE(instructions().endsWith(kInstructionsEnd));
    EXPECT_EQ(instructions().count('\n'), 9);
}

TEST(CoachPrompts, thePreviousBriefComesUnderItsDayCutTo900Characters)
{
    const QString emoji = QStringLiteral("👍🏽");
    const QString combined = QStringLiteral("e\u0301");
    const struct {
        QString text;
        QString sent;
    } cases[] = {
        {QString(1000, u'字'), QString(900, u'字')},
        {QString(900, u'字'), QString(900, u'字')},
        {emoji.repeated(899) + combined + "x", emoji.repeated(899) + combined},
        {"短", "短"},
    };
    for (const auto& c : cases) {
        const auto chat =
            CoachSession::briefingMessages("记录", CoachHistory::Briefing{"2025-03-04", c.text});
        EXPECT_EQ(chat[1].content, "这是学习记录：\n记录\n\n你上次（2025-03-04）写的简报：\n" +
                                       c.sent + instructions());
    }
}

TEST(CoachPrompts, aQuestionResendsTheRecordAndTheDaysConversation)
{
    const QList<CoachMessage> conversation{
        CoachMessage::make(true, "今天的简报"),
        CoachMessage::make(false, "长长的请求", QStringLiteral("芯片标题")),
        CoachMessage::make(true, ""),
        CoachMessage::make(false, "打的字"),
    };
    const auto chat = CoachPrompts::question("记录", conversation, "hello");
    EXPECT_EQ(chat, (QList<ChatMessage>{
                        {"system", CoachPrompts::persona()},
                        {"user", "这是我现在的学习记录：\n记录\n\n先写今天的简报。"},
                        {"assistant", "今天的简报"},
                        {"user", "长长的请求"},
                        {"user", "打的字"},
                        {"user", "hello\n（像教练聊天一样回答，一般 150～300 字，具体到我的词。）"},
                    }));

    // With no brief on screen the learner's messages follow the record directly.
    const auto bare = CoachPrompts::question("记录", {}, "hi");
    ASSERT_EQ(bare.size(), 3);
    EXPECT_EQ(bare[1].content, "这是我现在的学习记录：\n记录\n\n先写今天的简报。");
}

namespace {

class CoachQuestionTest : public CoachFixture {};

} // namespace

TEST_F(CoachQuestionTest, presetQuestionsHaveTheirTitlesAndRequests)
{
    QStringList titles;
    for (const CoachQuestion question : kCoachQuestions)
        titles.append(title(question));
    EXPECT_EQ(titles, (QStringList{"聊聊刚才的复习", "今天重点记哪几个？", "我最近哪里最弱？",
                                   "给我一个记词的小办法"}));

    openBook({});
    const QString head = "我刚复习完。今天复习过的词和每次的结果：\n";
    const QString tail =
        "\n像教练一样跟我说说：哪些是真的进步了，哪个词卡住了、为什么可能会卡、下次换个什么办法。";
    EXPECT_EQ(prompt(CoachQuestion::afterReview, *facts, clock.now()), head + tail);
    logEvent(local(7, 9), "review", "apple", "good");
    logEvent(local(7, 10), "rest", "Zoo");
    EXPECT_EQ(prompt(CoachQuestion::afterReview, *facts, clock.now()),
              head + "- Zoo：先休息\n- apple：想起来了" + tail);
    EXPECT_EQ(prompt(CoachQuestion::focus, *facts, clock.now()),
              "今天时间不多，你帮我挑 3 个最值得花心思的词，说说为什么是它们、每个怎么记。");
    EXPECT_TRUE(prompt(CoachQuestion::weakest, *facts, clock.now()).startsWith("根据我的记录"));
    EXPECT_TRUE(prompt(CoachQuestion::trick, *facts, clock.now()).endsWith("要有画面感。"));
}
