#include "coach/CoachQuestion.h"

#include "coach/CoachFacts.h"

namespace glossivo {

QString title(CoachQuestion question)
{
    switch (question) {
    case CoachQuestion::afterReview:
        return QStringLiteral("聊聊刚才的复习");
    case CoachQuestion::focus:
        return QStringLiteral("今天重点记哪几个？");
    case CoachQuestion::weakest:
        return QStringLiteral("我最近哪里最弱？");
    case CoachQuestion::trick:
        return QStringLiteral("给我一个记词的小办法");
    }
    return {};
}

QString prompt(CoachQuestion question, const CoachFacts& facts, const QDateTime& now)
{
    switch (question) {
    case CoachQuestion::afterReview:
        return QStringLiteral("我刚复习完。今天复习过的词和每次的结果：\n") +
               facts.todayReview(now) +
               QStringLiteral(
                   "\n像教练一样跟我说说：哪些是真的进步了，哪个词卡住了、为什么可能会卡、"
                   "下次换个什么办法。");
    case CoachQuestion::focus:
        return QStringLiteral(
            "今天时间不多，你帮我挑 3 个最值得花心思的词，说说为什么是它们、每个怎么记。");
    case CoachQuestion::weakest:
        return QStringLiteral(
            "根据我的记录，说说我最近最弱的地方是什么（比如某类词、拼写、某个时间段），"
            "别泛泛而谈，用我的词举例，再给一个小改法。");
    case CoachQuestion::trick:
        return QStringLiteral(
            "挑一个我最近老忘的词，给我一个和我在读的内容有关的记法，要有画面感。");
    }
    return {};
}

} // namespace glossivo
