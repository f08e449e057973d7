#include "model/Affix.h"

#include <initializer_list>

namespace glossivo {

namespace {
struct AffixText {
    const char* name;
    const char* meaning;
    const char* examples;
    const char* variants; // null when the affix has no other spellings worth a note
    std::initializer_list<const char*> spellings;
};

// In the order of the enumeration.
const AffixText kAffixes[] = {
    {"un", "不、相反", "unhappy, unlock, unknown", nullptr, {"un"}},
    {"in",
     "不、没有",
     "incorrect, impossible, invisible",
     "也写作 im-（impossible）、il-（illegal）、ir-（irregular）",
     {"in", "im", "il", "ir"}},
    {"dis", "不、相反、去掉", "disagree, disable, dislike", nullptr, {"dis"}},
    {"re", "再、重新", "restart, rewrite, reload", nullptr, {"re"}},
    {"pre", "在……之前、预先", "preview, prepaid, preset", nullptr, {"pre"}},
    {"mis", "错误地", "mistake, misread, misunderstand", nullptr, {"mis"}},
    {"over", "过度、在上面", "overload, overthink, overflow", nullptr, {"over"}},
    {"under", "不足、在下面", "underrated, underestimate, underline", nullptr, {"under"}},
    {"non", "非、不", "nonsense, non-profit, nonstop", nullptr, {"non"}},
    {"anti", "反对、抗", "antivirus, antisocial", nullptr, {"anti"}},
    {"co", "共同、一起", "coworker, co-op, coexist", nullptr, {"co"}},
    {"inter", "在……之间、相互", "internet, interact, interface", nullptr, {"inter"}},
    {"tion",
     "把动词变成名词（动作或结果）",
     "decision, action, information",
     "也写作 -sion（decision）、-ation（information）",
     {"ation", "tion", "sion"}},
    {"ment", "把动词变成名词（行为或结果）", "development, agreement, payment", nullptr, {"ment"}},
    {"ness", "把形容词变成名词（性质、状态）", "happiness, darkness, awareness", nullptr, {"ness"}},
    {"ity",
     "把形容词变成名词（性质）",
     "ability, security, popularity",
     "也写作 -ty（safety）",
     {"ity", "ty"}},
    {"er", "做某事的人或东西", "player, developer, editor", "也写作 -or（editor）", {"er", "or"}},
    {"ist", "从事某事的人、某种主义的人", "artist, scientist, tourist", nullptr, {"ist"}},
    {"able",
     "能被……的、可以……的",
     "readable, usable, available",
     "也写作 -ible（visible）",
     {"able", "ible"}},
    {"ful", "充满……的", "useful, helpful, careful", nullptr, {"ful"}},
    {"less", "没有……的", "useless, homeless, endless", nullptr, {"less"}},
    {"ous",
     "有……性质的（形容词）",
     "famous, dangerous, various",
     "也写作 -ious（curious）",
     {"ious", "ous"}},
    {"ive", "有……倾向的（形容词）", "active, creative, expensive", nullptr, {"ive"}},
    {"al",
     "与……有关的（形容词）",
     "personal, global, optional",
     "也写作 -ial（official）",
     {"ial", "al"}},
    {"ic", "与……有关的、……式的（形容词）", "basic, economic, toxic", nullptr, {"ic"}},
    {"ly",
     "把形容词变成副词（……地）",
     "quickly, really, usually",
     "形容词结尾的 -ly（friendly）是另一种用法",
     {"ly"}},
    {"ize", "使……化、变成（动词）", "organize, realize, optimize", "英式写作 -ise", {"ize", "ise"}},
    {"ify", "使……、变成（动词）", "simplify, verify, notify", nullptr, {"ify"}},
    {"en", "使变得……（动词）", "shorten, strengthen, widen", nullptr, {"en"}},
    {"ship", "身份、关系、状态（名词）", "friendship, relationship, ownership", nullptr, {"ship"}},
};
static_assert(std::size(kAffixes) == enumCount<Affix>());

const AffixText& textOf(Affix affix)
{
    return kAffixes[static_cast<std::size_t>(affix)];
}
} // namespace

bool isPrefix(Affix affix)
{
    return affix <= Affix::inter;
}

QString affixMeaning(Affix affix)
{
    return QString::fromUtf8(textOf(affix).meaning);
}

QString affixExamples(Affix affix)
{
    return QString::fromUtf8(textOf(affix).examples);
}

std::optional<QString> affixVariants(Affix affix)
{
    if (const char* note = textOf(affix).variants) return QString::fromUtf8(note);
    return std::nullopt;
}

QStringList affixSpellings(Affix affix)
{
    QStringList spellings;
    for (const char* spelling : textOf(affix).spellings)
        spellings.append(QString::fromLatin1(spelling));
    return spellings;
}

QString affixPromptForm(Affix affix)
{
    const QString name = rawValue(affix);
    return isPrefix(affix) ? name + QLatin1Char('-') : QLatin1Char('-') + name;
}

QString affixApiList()
{
    QStringList quoted;
    for (Affix affix : allCases<Affix>())
        quoted.append(QLatin1Char('"') + affixPromptForm(affix) + QLatin1Char('"'));
    return quoted.join(QStringLiteral(", "));
}

} // namespace glossivo
