#include "card/UnlockItems.h"

#include "model/FormKindName.h"

namespace glossivo::UnlockItems {

namespace {

QString progress(const std::optional<Unlock::Progress>& pair)
{
    if (!pair) return {};
    return QLatin1Char(' ') + QString::number(pair->first) + QLatin1Char('/') +
           QString::number(pair->second);
}

} // namespace

QList<Item> of(const Unlock& unlock)
{
    QList<Item> items;
    if (unlock.newForm) {
        items.append({Symbol::forms, QStringLiteral("新形式 ") + unlock.newForm->form +
                                         QStringLiteral("（") + formKindName(unlock.newForm->kind) +
                                         QStringLiteral("）") + progress(unlock.formProgress)});
    }
    if (unlock.newGrammar) {
        items.append({Symbol::grammar, QStringLiteral("新语法 ") +
                                           grammarLabel(*unlock.newGrammar) +
                                           progress(unlock.grammarProgress)});
    }
    if (!unlock.newAffixes.isEmpty()) {
        QStringList written;
        for (Affix affix : unlock.newAffixes)
            written.append(affixPromptForm(affix));
        items.append({Symbol::affixes, QStringLiteral("新词缀 ") + written.join(QLatin1Char(' ')) +
                                           progress(unlock.affixProgress)});
    }
    if (unlock.awakenedAfterDays) {
        items.append({Symbol::wave, QStringLiteral("好久不见！上次见它是 ") +
                                        QString::number(*unlock.awakenedAfterDays) +
                                        QStringLiteral(" 天前")});
    }
    if (!unlock.familyMembers.isEmpty()) {
        items.append(
            {Symbol::family, QStringLiteral("和 ") +
                                 unlock.familyMembers.mid(0, 3).join(QStringLiteral("、")) +
                                 QStringLiteral(" 是一家")});
    }
    return items;
}

} // namespace glossivo::UnlockItems
