#include "sync/WordMerge.h"

#include "model/HeadwordKey.h"
#include "model/InParts.h"
#include "model/TextOrder.h"

#include <QVarLengthArray>

#include <algorithm>
#include <optional>
#include <utility>
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

// A few records, strictly ascending by date (equal dates by id text) with every date valid,
// none dead and no id twice: what unionByID and sortByAddedAt make of the list merged with
// itself. Longer lists are left to the merge rather than compared pair by pair.
template <class T> bool recordsSettled(const QList<T>& records, const DeadIds& dead)
{
    if (records.size() > fewRecords) return false;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const T& record = records[i];
        if (!record.addedAt.isValid() || dead.contains(record.id)) return false;
        if (i > 0) {
            const T& previous = records[i - 1];
            if (record.addedAt < previous.addedAt) return false;
            if (record.addedAt == previous.addedAt && !idTextLess(previous.id, record.id))
                return false;
        }
        for (qsizetype k = 0; k < i; ++k)
            if (records[k].id == record.id) return false;
    }
    return true;
}

bool examplesSettled(const QList<Example>& examples, const DeadIds& dead)
{
    if (!recordsSettled(examples, dead)) return false;
    for (qsizetype i = 0; i < examples.size(); ++i)
        for (qsizetype k = 0; k < i; ++k)
            if (examples[k].sentence == examples[i].sentence) return false;
    return true;
}

bool notesSettled(const std::optional<QList<AINote>>& notes, const DeadIds& dead)
{
    return !notes || recordsSettled(*notes, dead);
}

bool formsSettled(const std::optional<QList<FormRecord>>& forms)
{
    if (!forms) return true;
    for (qsizetype i = 0; i < forms->size(); ++i)
        for (qsizetype k = 0; k < i; ++k)
            if ((*forms)[k].kind == (*forms)[i].kind) return false;
    return true;
}

bool daysSettled(const std::optional<QStringList>& days)
{
    if (!days) return true;
    for (qsizetype i = 1; i < days->size(); ++i)
        if (!TextOrder::codePointLess((*days)[i - 1], (*days)[i])) return false;
    return true;
}

} // namespace

bool isSettled(const WordEntry& word, const DeadIds& dead)
{
    return examplesSettled(word.examples, dead) && notesSettled(word.notes, dead) &&
           formsSettled(word.forms) && daysSettled(word.encounterDays);
}

namespace {

// A word of the merged list: the word of one side as it stands, until merging makes a new one.
// Words are large, and nearly all come out of a pass unchanged, so each is copied once, at the
// end, and the sorting moves only positions.
class MergedWord {
public:
    MergedWord(const WordEntry& word, const QByteArray* text, bool canonical)
        : m_word(&word), m_text(text), m_canonical(canonical)
    {}

    const WordEntry& word() const { return m_merged ? *m_merged : *m_word; }

    // Becomes mergeEntry(word(), other); `otherText`, when known, is the text `other` was read
    // from or is kept with.
    void merge(const WordEntry& other, const DeadIds& dead, const QByteArray* otherText = nullptr)
    {
        const WordEntry& kept = word();
        const bool sameText = !m_merged && m_text && otherText && *m_text == *otherText;
        Q_ASSERT(!sameText || kept == other);
        if (&kept == &other || sameText || kept == other) {
            // A word found settled stays so until a merge replaces it.
            if (!m_settled) m_settled = isSettled(kept, dead);
            if (m_settled) return;
        }
        m_merged = mergeFields(kept, other, dead);
        m_settled = false;
    }

    WordEntry take() { return m_merged ? std::move(*m_merged) : *m_word; }
    // The canonical text of the word taken, when known.
    QByteArray canonicalText() const
    {
        return !m_merged && m_canonical && m_text ? *m_text : QByteArray();
    }

private:
    const WordEntry* m_word;
    const QByteArray* m_text; // the text of m_word, when known
    bool m_canonical;         // whether that text is its canonical one
    std::optional<WordEntry> m_merged;
    bool m_settled = false;
};

// Positions in ascending order of their words' id text.
std::vector<qsizetype> idOrder(const std::vector<MergedWord>& merged)
{
    std::vector<std::pair<QUuid, qsizetype>> keys;
    keys.reserve(merged.size());
    for (qsizetype i = 0; i < qsizetype(merged.size()); ++i)
        keys.emplace_back(merged[i].word().id, i);
    std::sort(keys.begin(), keys.end(), [](const auto& left, const auto& right) {
        return idTextLess(left.first, right.first);
    });
    std::vector<qsizetype> order;
    order.reserve(keys.size());
    for (const auto& key : keys)
        order.push_back(key.second);
    return order;
}

// The positions newest createdAt first, equal times by id text. Valid times compare as the
// instants they stand for, which are read once rather than at every comparison.
void sortNewestFirst(std::vector<qsizetype>& positions, const std::vector<MergedWord>& merged)
{
    const auto word = [&](qsizetype position) -> const WordEntry& {
        return merged[position].word();
    };
    const bool allValid = std::all_of(positions.begin(), positions.end(),
                                      [&](qsizetype p) { return word(p).createdAt.isValid(); });
    if (!allValid) {
        std::sort(positions.begin(), positions.end(), [&](qsizetype l, qsizetype r) {
            const WordEntry &left = word(l), &right = word(r);
            if (left.createdAt != right.createdAt) return right.createdAt < left.createdAt;
            return idTextLess(left.id, right.id);
        });
        return;
    }
    struct Key {
        qint64 created;
        QUuid id;
        qsizetype position;
    };
    std::vector<Key> keys;
    keys.reserve(positions.size());
    for (qsizetype position : positions)
        keys.push_back({word(position).createdAt.toMSecsSinceEpoch(), word(position).id, position});
    std::sort(keys.begin(), keys.end(), [](const Key& left, const Key& right) {
        if (left.created != right.created) return right.created < left.created;
        return idTextLess(left.id, right.id);
    });
    for (size_t i = 0; i < keys.size(); ++i)
        positions[i] = keys[i].position;
}

// Positions by their key, in a table of its own: nearly every key of a merge is new, and
// QHash, with its per-process seed, and node-based maps spend more on each of tens of thousands
// of keys than the rest of the merge does.
class KeyTable {
public:
    explicit KeyTable(const std::vector<QString>& keys) : m_keys(keys)
    {
        while (m_slots.size() < 2 * keys.size())
            m_slots.resize(m_slots.size() * 2);
        std::fill(m_slots.begin(), m_slots.end(), -1);
    }

    // The first position entered with this position's key; the position itself, now entered,
    // when it is the first.
    qsizetype firstWithKeyOf(qsizetype position)
    {
        const QString& key = m_keys[size_t(position)];
        const size_t mask = m_slots.size() - 1;
        size_t slot = qHash(key, 0) & mask;
        while (m_slots[slot] >= 0 && m_keys[size_t(m_slots[slot])] != key)
            slot = (slot + 1) & mask;
        if (m_slots[slot] < 0) m_slots[slot] = position;
        return m_slots[slot];
    }

private:
    const std::vector<QString>& m_keys;
    std::vector<qsizetype> m_slots = std::vector<qsizetype>(64); // a power of two
};

} // namespace

QList<WordEntry> mergeWords(const QList<WordEntry>& a, const QList<WordEntry>& b,
                            const DeadIds& dead, const SyncBundle::WordTexts& aTexts,
                            const SyncBundle::WordTexts& bTexts, QByteArrayList* mergedTexts)
{
    // Which words share an id, in the order of the lists: each merged word is merged with
    // itself first, then with every later copy.
    QHash<QUuid, qsizetype> byId; // id -> position in merged
    byId.reserve(std::max(a.size(), b.size()));
    std::vector<MergedWord> merged;
    merged.reserve(a.size() + b.size());
    struct Copy {
        const WordEntry* word;
        const QByteArray* text;
    };
    std::vector<QVarLengthArray<Copy, 2>> copies;
    copies.reserve(a.size() + b.size());
    for (const auto& [list, texts] : {std::pair(&a, &aTexts), std::pair(&b, &bTexts)}) {
        const bool textsKnown = texts->texts.size() == list->size();
        for (qsizetype i = 0; i < list->size(); ++i) {
            const WordEntry& word = (*list)[i];
            const QByteArray* text = textsKnown ? &texts->texts[i] : nullptr;
            if (dead.contains(word.id)) continue;
            const auto stored = byId.constFind(word.id);
            if (stored != byId.constEnd()) {
                copies[size_t(*stored)].append({&word, text});
                continue;
            }
            byId.insert(word.id, qsizetype(merged.size()));
            merged.emplace_back(word, text, texts->canonical);
            copies.push_back({{&word, text}});
        }
    }
    // A book of tens of thousands of words is merged on several threads: each merged word is
    // written by one of them and the lists are only read.
    const qsizetype count = qsizetype(merged.size());
    inParts(count, [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            for (const Copy& copy : copies[size_t(i)])
                merged[size_t(i)].merge(*copy.word, dead, copy.text);
    });

    // Each word's headword key as it stands now: the merges below change only words that were
    // given their key before.
    std::vector<QString> keys(merged.size());
    inParts(count, [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            keys[size_t(i)] = HeadwordKey::of(merged[size_t(i)].word().headword);
    });
    KeyTable byHeadword(keys);
    std::vector<qsizetype> kept;
    kept.reserve(merged.size());
    for (qsizetype position : idOrder(merged)) {
        const qsizetype first = byHeadword.firstWithKeyOf(position);
        if (first == position)
            kept.push_back(position);
        else
            merged[size_t(first)].merge(merged[size_t(position)].word(), dead);
    }
    sortNewestFirst(kept, merged);

    QList<WordEntry> words(qsizetype(kept.size()));
    WordEntry* const taken = words.data();
    inParts(qsizetype(kept.size()), [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            taken[i] = merged[size_t(kept[size_t(i)])].take();
    });
    if (mergedTexts) {
        mergedTexts->resize(qsizetype(kept.size()));
        for (size_t i = 0; i < kept.size(); ++i)
            (*mergedTexts)[qsizetype(i)] = merged[size_t(kept[i])].canonicalText();
    }
    return words;
}

WordEntry mergeEntry(const WordEntry& x, const WordEntry& y, const DeadIds& dead)
{
    // Nearly every word of a pass is the same on both sides, and a word merged with itself is
    // that word once its lists are in merged form: the field-by-field merge, which builds every
    // list anew, is then spared.
    if ((&x == &y || x == y) && isSettled(x, dead)) return x;
    return mergeFields(x, y, dead);
}

WordEntry mergeFields(const WordEntry& x, const WordEntry& y, const DeadIds& dead)
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
