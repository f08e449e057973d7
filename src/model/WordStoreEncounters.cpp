#include "model/WordStore.h"

#include "model/Blanks.h"
#include "model/FormSlots.h"
#include "model/Saturating.h"

#include <algorithm>
#include <set>

namespace glossivo {

namespace {

constexpr int kGrammarPoints = static_cast<int>(enumCount<GrammarPoint>());
constexpr int kAffixes = static_cast<int>(enumCount<Affix>());

// Forms the AI lists are added under their kind's name; a form already stored stays.
void mergeInflections(WordEntry& entry, const Explanation& explanation)
{
    QMap<QString, QString> inflections = entry.inflections.value_or(QMap<QString, QString>());
    for (const auto& [kind, form] : explanation.allForms())
        if (!inflections.contains(rawValue(kind))) inflections.insert(rawValue(kind), form);
    if (!inflections.isEmpty()) entry.inflections = inflections;
}

void recordForm(WordEntry& entry, const Explanation& explanation, const QString& surface,
                const QDateTime& now, Unlock& unlock)
{
    const FormKind kind = fromLooseValue<FormKind>(explanation.formKind).value_or(FormKind::base);
    QList<FormRecord> forms = entry.forms.value_or(QList<FormRecord>());
    const auto met = std::find_if(forms.begin(), forms.end(),
                                  [&](const FormRecord& record) { return record.kind == kind; });
    if (met != forms.end()) {
        met->count = incremented(met->count);
    } else {
        const QMap<QString, QString> inflections =
            entry.inflections.value_or(QMap<QString, QString>());
        const FormRecord record{kind, inflections.value(rawValue(kind), surface), now, 1,
                                explanation.sentence};
        forms.append(record);
        unlock.newForm = record;
    }
    entry.forms = forms;
}

template <class T, class Key> int distinctCount(const QList<T>& list, Key key)
{
    std::set<decltype(key(list.first()))> seen;
    for (const T& element : list)
        seen.insert(key(element));
    return static_cast<int>(seen.size());
}

} // namespace

Unlock WordStore::recordEncounter(qsizetype position, const Explanation& explanation,
                                  const PageSource& source, bool isNewWord)
{
    Unlock unlock;
    const QString headword = Blanks::trimmed(explanation.headword);
    const QString surface =
        explanation.surfaceForm.value_or(QString()).isEmpty() ? headword : *explanation.surfaceForm;
    WordEntry& entry = m_entries[position];

    mergeInflections(entry, explanation);
    recordForm(entry, explanation, surface, m_clock.now(), unlock);
    const auto formSlotCount = static_cast<int>(formSlots(entry).size());
    if (formSlotCount >= 2)
        unlock.formProgress = {static_cast<int>(entry.forms->size()), formSlotCount};

    recordGrammar(explanation, surface, source, unlock);

    const QString root = Blanks::trimmed(explanation.familyRoot.value_or(QString()));
    if (!root.isEmpty() && entry.familyRoot != root) {
        m_families.remove(entry);
        entry.familyRoot = root;
        m_families.add(entry);
    }
    if (isNewWord)
        for (const WordEntry& member : family(entry))
            unlock.familyMembers.append(member.headword);

    recordAffixes(entry, explanation, unlock);
    return unlock;
}

void WordStore::recordGrammar(const Explanation& explanation, const QString& surface,
                              const PageSource& source, Unlock& unlock)
{
    const auto point = fromLooseValue<GrammarPoint>(explanation.grammar);
    const QString sentence = explanation.sentence.value_or(QString());
    // A sentence the AI wrote itself shows nothing about what the user has read.
    if (!point || sentence.isEmpty() || explanation.sentenceIsExample.value_or(false)) return;
    bool unlocked = false;
    for (const GrammarEncounter& encounter : std::as_const(m_grammarEncounters)) {
        if (encounter.point != *point) continue;
        if (encounter.sentence == sentence) return;
        unlocked = true;
    }
    m_grammarEncounters.prepend({QUuid::createUuid(), *point, Blanks::trimmed(explanation.headword),
                                 surface, sentence, explanation.sentenceZh,
                                 explanation.grammarNoteZh, source.app, source.url, source.title,
                                 m_clock.now()});
    writeGrammar();
    if (unlocked) return;
    unlock.newGrammar = *point;
    unlock.grammarProgress = {
        distinctCount(m_grammarEncounters, [](const GrammarEncounter& e) { return e.point; }),
        kGrammarPoints};
}

void WordStore::recordAffixes(WordEntry& entry, const Explanation& explanation, Unlock& unlock)
{
    const QList<Affix> affixes = explanation.affixList();
    if (affixes.isEmpty()) return;
    entry.affixes = affixes;
    const QString headword = Blanks::trimmed(explanation.headword);
    const QString lowered = headword.toLower();
    bool inserted = false;
    for (Affix affix : affixes) {
        bool unlocked = false, metInThisWord = false;
        for (const AffixEncounter& encounter : std::as_const(m_affixEncounters)) {
            if (encounter.affix != affix) continue;
            unlocked = true;
            metInThisWord = encounter.headword.toLower() == lowered;
            if (metInThisWord) break;
        }
        if (metInThisWord) continue;
        if (!unlocked) unlock.newAffixes.append(affix);
        m_affixEncounters.prepend({QUuid::createUuid(), affix, headword, explanation.familyRoot,
                                   explanation.sentence, m_clock.now()});
        inserted = true;
    }
    if (inserted) writeAffixes();
    if (!unlock.newAffixes.isEmpty())
        unlock.affixProgress = {
            distinctCount(m_affixEncounters, [](const AffixEncounter& e) { return e.affix; }),
            kAffixes};
}

} // namespace glossivo
