#include "model/OnTop.h"

#include "model/HeadwordKey.h"
#include "model/JsonFields.h"
#include "model/TextOrder.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

#include <algorithm>

namespace glossivo::OnTop {

namespace {

enum class Winner { ours, theirs };

bool isCounter(QStringView key)
{
    return key == u"lookupCount" || key == u"reviewed" || key == u"newLearned";
}

// Values whose parts belong together: taken whole from one side.
bool isWhole(QStringView key)
{
    return key == u"review";
}

// The three versions of one list merged record by record, a record known by its key. `both`
// merges a record that ours and theirs both changed (the base's copy, when it had one).
template <class T, class KeyOf, class Both>
QList<T> keyed(const QList<T>& base, const QList<T>& ours, const QList<T>& theirs, KeyOf keyOf,
               Both both)
{
    using Key = std::decay_t<decltype(keyOf(ours.first()))>;
    const auto index = [&](const QList<T>& list) {
        QHash<Key, qsizetype> at;
        at.reserve(list.size());
        for (qsizetype i = 0; i < list.size(); ++i)
            if (const Key key = keyOf(list[i]); !at.contains(key)) at.insert(key, i);
        return at;
    };
    const QHash<Key, qsizetype> inBase = index(base), inOurs = index(ours),
                                inTheirs = index(theirs);

    // What ours added stands after the record it followed in ours, or first.
    QList<qsizetype> first;
    QHash<Key, QList<qsizetype>> after;
    std::optional<Key> anchor;
    for (qsizetype i = 0; i < ours.size(); ++i) {
        const Key key = keyOf(ours[i]);
        if (inTheirs.contains(key)) {
            anchor = key;
        } else if (!inBase.contains(key)) {
            (anchor ? after[*anchor] : first).append(i);
        }
    }

    QList<T> result;
    result.reserve(theirs.size() + first.size());
    const auto addOurs = [&](const QList<qsizetype>& added) {
        for (qsizetype i : added)
            result.append(ours[i]);
    };
    addOurs(first);
    for (const T& their : theirs) {
        const Key key = keyOf(their);
        const auto own = inOurs.constFind(key);
        const auto was = inBase.constFind(key);
        const T* from = was == inBase.cend() ? nullptr : &base[*was];
        if (own == inOurs.cend()) {
            if (!from) result.append(their); // theirs added it; else ours removed it
        } else {
            const T& mine = ours[*own];
            // Alike on both sides is no shortcut where the base is known: two lookups of a word
            // may leave two copies that only their counts tell apart from it.
            if (from ? mine == *from : mine == their)
                result.append(their);
            else if (from && their == *from)
                result.append(mine);
            else
                result.append(both(from, mine, their));
        }
        // Once, after the first of their copies: a key may stand twice on disk (an older
        // version's duplicate tombstones), and what ours added is added once all the same.
        if (const auto added = after.find(key); added != after.end()) {
            addOurs(*added);
            after.erase(added);
        }
    }
    return result;
}

QJsonValue merged(const QJsonValue& base, const QJsonValue& ours, const QJsonValue& theirs,
                  QStringView key, Winner winner);

QJsonObject mergedObject(const QJsonObject& base, const QJsonObject& ours,
                         const QJsonObject& theirs, Winner winner)
{
    QJsonObject result;
    QStringList keys = theirs.keys() + ours.keys() + base.keys();
    keys.removeDuplicates();
    for (const QString& key : std::as_const(keys)) {
        const QJsonValue value =
            merged(base.value(key), ours.value(key), theirs.value(key), key, winner);
        if (!value.isUndefined()) result.insert(key, value);
    }
    return result;
}

// A list's elements are known by their "id" when they are records, by themselves when texts;
// other lists are taken whole.
std::optional<QString> elementKey(const QJsonValue& element)
{
    if (element.isString()) return element.toString();
    const QJsonValue id = element.toObject().value(u"id");
    if (id.isString()) return id.toString();
    return std::nullopt;
}

bool isKeyed(const QJsonArray& array)
{
    return std::all_of(array.begin(), array.end(),
                       [](const QJsonValue& element) { return elementKey(element).has_value(); });
}

QJsonArray mergedArray(const QJsonArray& base, const QJsonArray& ours, const QJsonArray& theirs,
                       Winner winner)
{
    const auto list = [](const QJsonArray& array) {
        return QList<QJsonValue>(array.begin(), array.end());
    };
    const QList<QJsonValue> result = keyed(
        list(base), list(ours), list(theirs),
        [](const QJsonValue& element) { return elementKey(element).value_or(QString()); },
        [winner](const QJsonValue* from, const QJsonValue& mine, const QJsonValue& their) {
            return merged(from ? *from : QJsonValue(QJsonValue::Undefined), mine, their, {},
                          winner);
        });
    QJsonArray array;
    for (const QJsonValue& element : result)
        array.append(element);
    return array;
}

QJsonValue merged(const QJsonValue& base, const QJsonValue& ours, const QJsonValue& theirs,
                  QStringView key, Winner winner)
{
    if (ours == base) return theirs;
    if (theirs == base) return ours;
    if (isCounter(key) && ours.isDouble() && theirs.isDouble())
        return std::max<qint64>(0, theirs.toInteger() + ours.toInteger() - base.toInteger(0));
    if (ours == theirs) return ours;
    if (!isWhole(key)) {
        if (ours.isObject() && theirs.isObject())
            return mergedObject(base.toObject(), ours.toObject(), theirs.toObject(), winner);
        const QJsonArray mine = ours.toArray(), their = theirs.toArray();
        if (ours.isArray() && theirs.isArray() && isKeyed(mine) && isKeyed(their) &&
            isKeyed(base.toArray()))
            return mergedArray(base.toArray(), mine, their, winner);
    }
    return winner == Winner::ours ? ours : theirs;
}

// A record both sides changed, field by field. A merge that the record's own reader refuses
// (fields that make no sense together) keeps the winner's copy whole.
template <class T> T mergedRecord(const T* base, const T& ours, const T& theirs, Winner winner)
{
    try {
        return T::fromJson(mergedObject(base ? base->toJson() : QJsonObject(), ours.toJson(),
                                        theirs.toJson(), winner));
    } catch (const JsonError&) {
        return winner == Winner::ours ? ours : theirs;
    }
}

template <class T>
QList<T> records(const QList<T>& base, const QList<T>& ours, const QList<T>& theirs)
{
    return keyed(
        base, ours, theirs, [](const T& record) { return record.id; },
        [](const T* from, const T& mine, const T& their) {
            return mergedRecord(from, mine, their, Winner::ours);
        });
}

template <class T> QSet<QUuid> idsOf(const QList<T>& list)
{
    QSet<QUuid> ids;
    ids.reserve(list.size());
    for (const T& record : list)
        ids.insert(record.id);
    return ids;
}

// Drops the records of the list, other than the known ones, that stand for one of `standing`
// (the same `sameAs`), as a save never records one thing twice; a dropped record's id is folded
// into the one kept.
template <class T, class SameAs>
void dropDoubles(QList<T>& list, const QList<T>& standing, const QSet<QUuid>& known, SameAs sameAs,
                 Folds& folds)
{
    QHash<decltype(sameAs(standing.first())), QUuid> kept;
    for (const T& record : standing)
        if (!kept.contains(sameAs(record))) kept.insert(sameAs(record), record.id);
    if (kept.isEmpty()) return;
    list.removeIf([&](const T& record) {
        if (known.contains(record.id)) return false;
        const auto same = kept.constFind(sameAs(record));
        if (same == kept.cend()) return false;
        folds.insert(record.id, *same);
        return true;
    });
}

// What ours added that stands for a record of theirs still in the result is dropped.
template <class T, class SameAs>
QList<T> addedOnce(const QList<T>& base, const QList<T>& ours, const QList<T>& theirs,
                   SameAs sameAs, Folds& folds)
{
    QList<T> result = records(base, ours, theirs);
    const QSet<QUuid> inTheirs = idsOf(theirs);
    QList<T> standing;
    for (const T& record : std::as_const(result))
        if (inTheirs.contains(record.id)) standing.append(record);
    dropDoubles(result, standing, inTheirs + idsOf(base), sameAs, folds);
    return result;
}

} // namespace

QList<WordEntry> words(const QList<WordEntry>& base, const QList<WordEntry>& ours,
                       const QList<WordEntry>& theirs, Folds& folds)
{
    QList<WordEntry> result = records(base, ours, theirs);
    // A word saved anew on both sides: the disk's copy gains ours.
    const QSet<QUuid> inBase = idsOf(base), known = inBase + idsOf(theirs);
    QHash<QString, qsizetype> addedByThem;
    for (qsizetype i = 0; i < result.size(); ++i)
        if (!inBase.contains(result[i].id) && known.contains(result[i].id))
            if (const QString key = HeadwordKey::of(result[i].headword); !addedByThem.contains(key))
                addedByThem.insert(key, i);
    if (addedByThem.isEmpty()) return result;
    QList<qsizetype> folded;
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (known.contains(result[i].id)) continue;
        const auto same = addedByThem.constFind(HeadwordKey::of(result[i].headword));
        if (same == addedByThem.cend()) continue;
        WordEntry& kept = result[*same];
        WordEntry mine = result[i];
        dropDoubles(
            mine.examples, kept.examples, {},
            [](const Example& example) { return example.sentence; }, folds);
        folds.insert(mine.id, kept.id);
        kept = mergedRecord<WordEntry>(nullptr, mine, kept, Winner::theirs);
        folded.append(i);
    }
    for (auto it = folded.crbegin(); it != folded.crend(); ++it)
        result.removeAt(*it);
    return result;
}

QList<AINote> notes(const QList<AINote>& base, const QList<AINote>& ours,
                    const QList<AINote>& theirs)
{
    return records(base, ours, theirs);
}

QList<GrammarEncounter> grammar(const QList<GrammarEncounter>& base,
                                const QList<GrammarEncounter>& ours,
                                const QList<GrammarEncounter>& theirs, Folds& folds)
{
    return addedOnce(
        base, ours, theirs,
        [](const GrammarEncounter& met) { return std::pair(int(met.point), met.sentence); }, folds);
}

QList<AffixEncounter> affixes(const QList<AffixEncounter>& base, const QList<AffixEncounter>& ours,
                              const QList<AffixEncounter>& theirs, Folds& folds)
{
    return addedOnce(
        base, ours, theirs,
        [](const AffixEncounter& met) { return std::pair(int(met.affix), met.headword.toLower()); },
        folds);
}

QList<Tombstone> deleted(const QList<Tombstone>& base, const QList<Tombstone>& ours,
                         const QList<Tombstone>& theirs)
{
    return Tombstone::once(records(base, ours, theirs));
}

ReviewStats stats(const std::optional<ReviewStats>& base, const ReviewStats& ours,
                  const ReviewStats& theirs)
{
    if (ours.day != theirs.day)
        return TextOrder::codePointLess(ours.day, theirs.day) ? theirs : ours;
    const ReviewStats from = base && base->day == ours.day ? *base : ReviewStats{ours.day, 0, 0};
    const auto add = [](int mine, int their, int was) { return std::max(0, their + mine - was); };
    return ReviewStats{ours.day, add(ours.reviewed, theirs.reviewed, from.reviewed),
                       add(ours.newLearned, theirs.newLearned, from.newLearned)};
}

} // namespace glossivo::OnTop
