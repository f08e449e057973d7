#include "card/WordLines.h"

#include "model/FormKind.h"
#include "model/FormKindName.h"

namespace glossivo::WordLines {

std::optional<QString> formText(const Explanation& explanation)
{
    const std::optional<FormKind> kind = fromLooseValue<FormKind>(explanation.formKind);
    const QString surface = explanation.surfaceForm.value_or(QString());
    if (!kind || *kind == FormKind::base || surface.isEmpty() ||
        surface.toLower() == explanation.headword.toLower())
        return std::nullopt;
    return surface + QStringLiteral(" = ") + explanation.headword + QStringLiteral(" 的") +
           formKindName(*kind);
}

std::optional<GrammarPoint> grammar(const Explanation& explanation)
{
    return fromLooseValue<GrammarPoint>(explanation.grammar);
}

std::optional<QString> rootText(const Explanation& explanation)
{
    const QString root = explanation.familyRoot.value_or(QString());
    if (root.isEmpty() || root.toLower() == explanation.headword.toLower()) return std::nullopt;
    return QStringLiteral("词根 ") + root;
}

QList<AffixChip> affixChips(const Explanation& explanation)
{
    QList<AffixChip> chips;
    for (Affix affix : explanation.affixList()) {
        const QString written = affixPromptForm(affix);
        chips.append({written, written + QStringLiteral("：") + affixMeaning(affix)});
    }
    return chips;
}

} // namespace glossivo::WordLines
