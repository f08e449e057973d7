#include "sync/WordMerge.h"

#include "model/HeadwordKey.h"
#include "sync/TextOrder.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace glossivo::SyncMerge {

namespace {

bool isBaseOf(const WordEntry& x, const WordEntry& y)
{
    if (x.createdAt != y.createdAt) return x.createdAt < y.createdAt;
    return x.id == y.id || idTextLess(x.id, y.id);
}

const QString& present(const QString& base, const QString& other)
{
    return base.isEmpty() ? other : base;
}

QList<Example> mergeExamples(const QList<Example>& base, const QList<Example>& other,
                             const DeadIds& dead)
{
    QList<Example> examples = dedupe(
        unionByID(base, other, dead), [](const Example& e) { return e.sentence; },
        &Example::addedAt, &Example::id);
    sortByAddedAt(examples, DateOrder::oldestFirst);
    return examples;
}

std::optional<QList<AINote>> mergeNotes(const std::optional<QList<AINote>>& base,
                                        const std::optional<QList<AINote>>& other,
                                        const DeadIds& dead)
{
    if (!base && !other) return std::nullopt;
    QList<AINote> notes =
        unionByID(base.value_or(QList<AINote>()), other.value_or(QList<AINote>()), dead);
    sortByAddedAt(notes, DateOrder::oldestFirst);
    return notes;
}

using FormTable = QMap<QString, QString>;

std::optional<FormTable> mergeInflections(const std::optional<FormTable>& base,
                                          const std::optional<FormTable>& other)
{
    if (!base && !other) return std::nullopt;
    FormTable table = base.value_or(FormTable());
    const FormTable extra = other.value_or(FormTable());
    for (auto it = extra.begin(); it != extra.end(); ++it)
        if (!table.contains(it.key())) table.insert(it.key(), it.value());
    return table;
}

// One record per kind, in the order kinds first appear: the earliest sighting with the larger
// count, since both devices may have counted the same sightings.
std::optional<QList<FormRecord>> mergeForms(const std::optional<QList<FormRecord>>& base,
                                            const std::optional<QList<FormRecord>>& other)
{
    if (!base && !other) return std::nullopt;
    QList<FormRecord> forms;
    for (const auto* source : {&base, &other}) {
        if (!*source) continue;
        for (const FormRecord& record : **source) {
            auto kept = std::find_if(forms.begin(), forms.end(),
                                     [&](const FormRecord& f) { return f.kind == record.kind; });
            if (kept == forms.end()) {
                forms.append(record);
                continue;
            }
            const int count = std::max(kept->count, record.count);
            if (record.firstSeenAt < kept->firstSeenAt) *kept = record;
            kept->count = count;
        }
    }
    return forms;
}

std::optional<QList<Affix>> mergeAffixes(const std::optional<QList<Affix>>& base,
                                         const std::optional<QList<Affix>>& other)
{
    auto filled = [](const std::optional<QList<Affix>>& list) { return list && !list->isEmpty(); };
    if (filled(base)) return base;
    if (filled(other)) return other;
    return base ? base : other;
}

std::optional<QStringList> mergeDays(const std::optional<QStringList>& base,
                                     const std::optional<QStringList>& other)
{
    if (!base && !other) return std::nullopt;
    QStringList days = base.value_or(QStringList()) + other.value_or(QStringList());
    std::sort(days.begin(), days.end(), TextOrder::codePointLess);
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

std::optional<QStringList> mergeSourceKeys(const std::optional<QStringList>& base,
                                           const std::optional<QStringList>& other)
{
    if (!base && !other) return std::nullopt;
    QStringList keys = base.value_or(QStringList());
    QSet<QString> known(keys.begin(), keys.end());
    for (const QString& key : other.value_or(QStringList()))
        if (!known.contains(key)) {
            known.insert(key);
            keys.append(key);
        }
    return keys;
}

int stageRank(const std::optional<Stage>& stage)
{
    switch (stage.value_or(Stage::seen)) {
    case Stage::mastered:
        return 3;
    case Stage::learning:
        return 2;
    case Stage::resting:
        return 1;
    case Stage::seen:
        break;
    }
    return 0;
}

// An absent time counts as the distant past, which is how std::optional orders it.
const WordEntry& stageSource(const WordEntry& base, const WordEntry& other)
{
    if (base.stateAt != other.stateAt) return other.stateAt > base.stateAt ? other : base;
    return stageRank(other.stage) > stageRank(base.stage) ? other : base;
}

const WordEntry& spellSource(const WordEntry& base, const WordEntry& other)
{
    if (base.lastSpelledAt != other.lastSpelledAt)
        return other.lastSpelledAt > base.lastSpelledAt ? other : base;
    return other.spellLevel.value_or(-1) > base.spellLevel.value_or(-1) ? other : base;
}

void takeStage(WordEntry& result, const WordEntry& source)
{
    result.stage = source.stage;
    result.restUntil = source.restUntil;
    result.wantToLearn = source.wantToLearn;
    result.spellPractice = source.spellPractice;
    result.stateAt = source.stateAt;
}

// Words are large; sorting positions and moving each word once is much cheaper than sorting them.
template <class Less> QList<WordEntry> sortedMoving(QList<WordEntry>& words, Less less)
{
    std::vector<qsizetype> order(words.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](qsizetype left, qsizetype right) { return less(words[left], words[right]); });
    QList<WordEntry> sorted;
    sorted.reserve(words.size());
    for (qsizetype position : order)
        sorted.append(std::move(words[position]));
    return sorted;
}

} // namespace

QList<WordEntry> mergeWords(const QList<WordEntry>& a, const QList<WordEntry>& b,
                            const DeadIds& dead)
{
    QHash<QUuid, qsizetype> byId; // id -> position in entries
    QList<WordEntry> entries;
    entries.reserve(a.size() + b.size());
    for (const QList<WordEntry>* list : {&a, &b})
        for (const WordEntry& word : *list) {
            if (dead.contains(word.id)) continue;
            const auto stored = byId.constFind(word.id);
            if (stored == byId.constEnd()) {
                byId.insert(word.id, entries.size());
                entries.append(mergeEntry(word, word, dead));
            } else {
                entries[*stored] = mergeEntry(entries[*stored], word, dead);
            }
        }
    entries = sortedMoving(
        entries, [](const WordEntry& l, const WordEntry& r) { return idTextLess(l.id, r.id); });

    QHash<QString, qsizetype> byHeadword; // key -> position in words
    QList<WordEntry> words;
    words.reserve(entries.size());
    for (WordEntry& entry : entries) {
        const QString key = HeadwordKey::of(entry.headword);
        const auto found = byHeadword.constFind(key);
        if (found == byHeadword.constEnd()) {
            byHeadword.insert(key, words.size());
            words.append(std::move(entry));
        } else {
            words[*found] = mergeEntry(words[*found], entry, dead);
        }
    }
    return sortedMoving(words, [](const WordEntry& left, const WordEntry& right) {
        if (left.createdAt != right.createdAt) return right.createdAt < left.createdAt;
        return idTextLess(left.id, right.id);
    });
}

WordEntry mergeEntry(const WordEntry& x, const WordEntry& y, const DeadIds& dead)
{
    const bool xIsBase = isBaseOf(x, y);
    const WordEntry& base = xIsBase ? x : y;
    const WordEntry& other = xIsBase ? y : x;

    WordEntry result = base;
    result.phonetic = present(base.phonetic, other.phonetic);
    result.pos = present(base.pos, other.pos);
    result.meaningZh = present(base.meaningZh, other.meaningZh);
    result.definitionEn = present(base.definitionEn, other.definitionEn);
    result.registerNoteZh = present(base.registerNoteZh, other.registerNoteZh);
    result.lookupCount = std::max(base.lookupCount, other.lookupCount);
    result.lastLookupAt = maxDate(base.lastLookupAt, other.lastLookupAt);
    result.examples = mergeExamples(base.examples, other.examples, dead);
    result.notes = mergeNotes(base.notes, other.notes, dead);
    result.inflections = mergeInflections(base.inflections, other.inflections);
    result.forms = mergeForms(base.forms, other.forms);
    result.familyRoot = base.familyRoot ? base.familyRoot : other.familyRoot;
    result.mnemonic = base.mnemonic ? base.mnemonic : other.mnemonic;
    result.affixes = mergeAffixes(base.affixes, other.affixes);
    result.encounterDays = mergeDays(base.encounterDays, other.encounterDays);
    result.sourceKeys = mergeSourceKeys(base.sourceKeys, other.sourceKeys);
    result.review = later(base.review, other.review);
    takeStage(result, stageSource(base, other));
    const WordEntry& speller = spellSource(base, other);
    result.spellLevel = speller.spellLevel;
    result.lastSpelledAt = speller.lastSpelledAt;
    return result;
}

std::optional<ReviewState> later(const std::optional<ReviewState>& x,
                                 const std::optional<ReviewState>& y)
{
    if (!x) return y;
    if (!y) return x;
    if (x->lastReview != y->lastReview) return y->lastReview > x->lastReview ? y : x;
    return y->reps > x->reps ? y : x;
}

std::optional<QDateTime> maxDate(const std::optional<QDateTime>& x,
                                 const std::optional<QDateTime>& y)
{
    if (!x) return y;
    if (!y) return x;
    return *y > *x ? y : x;
}

} // namespace glossivo::SyncMerge
