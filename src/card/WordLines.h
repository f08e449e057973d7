#pragma once

#include "model/Affix.h"
#include "model/Explanation.h"
#include "model/GrammarPoint.h"

#include <QList>
#include <QString>

#include <optional>

namespace glossivo {

// What the word card's details say about the form met, the grammar point of the sentence and
// the word's derivation; each part is absent when the explanation has nothing to show for it.
namespace WordLines {

// "went = go 的过去式", for an inflected form other than the headword.
std::optional<QString> formText(const Explanation& explanation);
std::optional<GrammarPoint> grammar(const Explanation& explanation);
// "词根 act", when the family root is not the headword itself.
std::optional<QString> rootText(const Explanation& explanation);

struct AffixChip {
    QString text;    // "un-", "-ness"
    QString tooltip; // "un-：" + meaning
    bool operator==(const AffixChip&) const = default;
};
QList<AffixChip> affixChips(const Explanation& explanation);

} // namespace WordLines
} // namespace glossivo
