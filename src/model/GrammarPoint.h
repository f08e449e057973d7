#pragma once

#include "model/EnumText.h"

namespace glossivo {

// The sixteen grammar points the word book tracks; the stored name is the case name.
enum class GrammarPoint {
    presentSimple,
    presentContinuous,
    pastSimple,
    pastContinuous,
    presentPerfect,
    pastPerfect,
    future,
    passive,
    gerund,
    infinitive,
    modal,
    imperative,
    conditional,
    comparative,
    superlative,
    plural
};

template <> struct EnumNames<GrammarPoint> {
    static constexpr std::array names{
        "presentSimple",  "presentContinuous", "pastSimple",  "pastContinuous",
        "presentPerfect", "pastPerfect",       "future",      "passive",
        "gerund",         "infinitive",        "modal",       "imperative",
        "conditional",    "comparative",       "superlative", "plural"};
};

// Short Chinese name, e.g. "一般现在时".
QString grammarLabel(GrammarPoint point);
// Chinese description, a line feed, then "例：" and an English example sentence.
QString grammarExplanation(GrammarPoint point);

} // namespace glossivo
