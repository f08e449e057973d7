#include "model/GrammarPoint.h"

namespace glossivo {

namespace {
struct GrammarText {
    const char* name;
    const char* label;
    const char* explanation;
};

// In the order of the enumeration.
constexpr GrammarText kGrammar[] = {
    {"presentSimple", "一般现在时",
     "说习惯、事实、经常发生的事。主语是 he/she/it 时动词加 -s。\n例：She works from home."},
    {"presentContinuous", "现在进行时",
     "说现在正在做的事。am/is/are + 动词-ing。\n例：I'm reading a Reddit thread."},
    {"pastSimple", "一般过去时",
     "说过去已经发生、已经结束的事。规则动词加 -ed，不规则动词要单独记。\n例：He went home early."},
    {"pastContinuous", "过去进行时",
     "说过去某个时刻正在做的事。was/were + 动词-ing。\n例：I was sleeping when you called."},
    {"presentPerfect", "现在完成时",
     "过去发生、但跟现在有关系的事（经历、刚完成、一直持续）。have/has + 过去分词。\n例：I've "
     "never seen this before."},
    {"pastPerfect", "过去完成时",
     "比过去某个时间更早发生的事，\"过去的过去\"。had + 过去分词。\n例：The game had started when "
     "I arrived."},
    {"future", "将来时",
     "说将来要发生的事。will + 动词原形，或 be going to + 动词原形。\n例：It's going to rain."},
    {"passive", "被动语态",
     "强调\"被怎么样\"，不在乎是谁做的。be + 过去分词。\n例：This post was deleted."},
    {"gerund", "动名词", "动词加 -ing 当名词用，表示\"做这件事\"。\n例：Learning English is hard."},
    {"infinitive", "不定式",
     "to + 动词原形，常表示目的或要做的事。\n例：I came here to ask a question."},
    {"modal", "情态动词",
     "can / could / should / would / must / might "
     "等，表示能力、建议、可能、必须，后面跟动词原形。\n例：You should try it."},
    {"imperative", "祈使句",
     "直接让别人做某事，句子以动词原形开头，没有主语。\n例：Check the docs first."},
    {"conditional", "条件句",
     "\"如果……就……\"。常见 if + 现在时, will…；或者 if + 过去式, would…（假设）。\n例：If I were "
     "you, I would quit."},
    {"comparative", "比较级",
     "两者比较，\"更……\"。短词加 -er，长词前面加 more。\n例：This version is faster."},
    {"superlative", "最高级",
     "三者以上比较，\"最……\"。短词加 -est，长词前面加 most。\n例：It's the best answer here."},
    {"plural", "名词复数",
     "名词表示多个。一般加 -s/-es，也有不规则的（child → children）。\n例：Two new features."},
};
static_assert(std::size(kGrammar) == enumCount<GrammarPoint>());

const GrammarText& textOf(GrammarPoint point)
{
    return kGrammar[static_cast<std::size_t>(point)];
}
} // namespace

QString grammarLabel(GrammarPoint point)
{
    return QString::fromUtf8(textOf(point).label);
}

QString grammarExplanation(GrammarPoint point)
{
    return QString::fromUtf8(textOf(point).explanation);
}

} // namespace glossivo
