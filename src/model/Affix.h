#pragma once

#include "model/EnumText.h"

#include <QStringList>

#include <optional>

namespace glossivo {

// The catalogue of thirty derivational affixes: cases un to inter are prefixes, the rest
// suffixes. The stored name has no hyphen.
enum class Affix {
    un,
    in,
    dis,
    re,
    pre,
    mis,
    over,
    under,
    non,
    anti,
    co,
    inter,
    tion,
    ment,
    ness,
    ity,
    er,
    ist,
    able,
    ful,
    less,
    ous,
    ive,
    al,
    ic,
    ly,
    ize,
    ify,
    en,
    ship
};

template <> struct EnumNames<Affix> {
    static constexpr std::array names{
        "un",   "in",    "dis",  "re",   "pre",  "mis", "over", "under", "non",  "anti",
        "co",   "inter", "tion", "ment", "ness", "ity", "er",   "ist",   "able", "ful",
        "less", "ous",   "ive",  "al",   "ic",   "ly",  "ize",  "ify",   "en",   "ship"};
};

bool isPrefix(Affix affix);
// Short Chinese gloss.
QString affixMeaning(Affix affix);
// Example words in one text, separated by comma and blank.
QString affixExamples(Affix affix);
// Chinese note on other spellings, for the affixes that have one.
std::optional<QString> affixVariants(Affix affix);
// How the affix is spelt inside words, longest alternatives first where they overlap.
QStringList affixSpellings(Affix affix);
// "un-" for a prefix, "-tion" for a suffix.
QString affixPromptForm(Affix affix);
// The whole catalogue for the explanation prompt: every prompt form in double quotes, joined by
// ", ".
QString affixApiList();

} // namespace glossivo
