#include "coach/CoachPrompts.h"

#include "ai/Characters.h"

namespace glossivo::CoachPrompts {

namespace {

constexpr qsizetype kPreviousCharacters = 900;

const QString kSystem = QStringLiteral("system");
const QString kUser = QStringLiteral("user");
const QString kAssistant = QStringLiteral("assistant");

QString briefingInstructions()
{
    return QStringLiteral(
        "\n\n"
        "请写今天的教练简报。按这个顺序，自然地说下来，分成几段短段落：\n"
        "1. 开头不要用「你好」之类的模板，直接说一件你从记录里注意到的、关于他们的具体的事\n"
        "2. 这几天他们在读什么：把最近存的词按读的内容分成 2～3 组（比如「Reddit 上聊 ADHD "
        "药的帖子」），每组点出几个词，说说这些词对看懂那类内容有什么用\n"
        "3. 进步：哪些词真的记住了、拼写往前走了，说得具体，说明为什么这算进步\n"
        "4. 卡住的地方：挑一两个反复忘的词，温和地猜一下为什么难（长得像别的词？意思抽象？），"
        "各给一个具体的记法，最好和他们读的内容有关\n"
        "5. 今天：告诉他们这一轮大概几题、几分钟，建议重点留意哪两三个词。轻松，可以不做\n"
        "6. 最后留一句开放的话，让他们愿意在下面回你一句\n"
        "整篇 500～800 字，每段不超过 4 句。说到某个词记住了、拼对了，先在记录里核对清楚，"
        "拿不准就不说。如果下面有你上次写的简报，不要重复上次说过的话，可以接着上次的建议问问效果"
        "。");
}

} // namespace

QString persona()
{
    return QStringLiteral(
        "你是 Glossivo "
        "里的英语教练，一直在旁边陪着这位学习者学英语，看得到他们的学习记录（他们同意的）。\n"
        "学习者：中文母语的成年人，有 "
        "ADHD，工作记忆弱，英语大约初中水平。不是为了考试，是为了看懂自己真正在读的东西："
        "Reddit、论坛、技术文档。长段文字和统计报表会让他们直接看不下去；被关心、被看见、有具体的东"
        "西可抓，才愿意继续。\n"
        "\n"
        "你说话的样子：\n"
        "- "
        "像一个真人教练当面聊天，用「你」直接说话。温暖、细心、具体，有自己的观察和判断，不是在念报"
        "告\n"
        "- "
        "每一句都要落在具体的东西上：他们读的那篇帖子、那个词、那句原话、哪天晚上学的。不说空话、套"
        "话，"
        "不说「继续加油」「你很棒」这种话\n"
        "- 数字最多提两三个，而且要揉进句子里（「这几天你存了十来个词」），不要列统计\n"
        "- 只用记录里有的事实，不编造。记录少就坦白说（比如「我们才认识几天，我还在了解你」）\n"
        "- "
        "绝不提连续打卡、断了几天、欠了多少、应该做而没做的事，不制造任何内疚或压力。很久没来就轻松"
        "地欢迎回来，不数天数\n"
        "- 复习安排由算法决定，你不改它；觉得设置可以调，就说出来让他们自己决定\n"
        "- 英文词照原样写，第一次出现时带上中文意思\n"
        "- 用简体中文，可以用 **加粗** 和 - 列表，不要用标题、表格和 emoji");
}

ChatMessages briefing(const QString& facts, const std::optional<CoachHistory::Briefing>& previous)
{
    QString request = QStringLiteral("这是学习记录：\n") + facts;
    if (previous)
        request += QStringLiteral("\n\n你上次（") + previous->day +
                   QStringLiteral("）写的简报：\n") +
                   Characters::prefix(previous->text, kPreviousCharacters);
    request += briefingInstructions();
    return {{kSystem, persona()}, {kUser, request}};
}

ChatMessages question(const QString& facts, const QList<CoachMessage>& conversation,
                      const QString& question)
{
    ChatMessages chat{{kSystem, persona()},
                      {kUser, QStringLiteral("这是我现在的学习记录：\n") + facts +
                                  QStringLiteral("\n\n先写今天的简报。")}};
    for (const CoachMessage& message : conversation)
        if (!message.text.isEmpty())
            chat.append({message.fromCoach ? kAssistant : kUser, message.text});
    chat.append(
        {kUser,
         question + QStringLiteral("\n（像教练聊天一样回答，一般 150～300 字，具体到我的词。）")});
    return chat;
}

} // namespace glossivo::CoachPrompts
