#pragma once

#include "model/JsonFields.h"
#include "model/Tombstone.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <algorithm>
#include <iterator>

// List merges shared by the document merge and the word merge. Not for use outside src/sync.
namespace glossivo::SyncMerge {

// The ids of every deleted record. A record is dead when its upper-case UUID text is the id of a
// tombstone; tombstone ids in any other form match no record and are left out, which lets the
// set hold UUIDs and spares building a text for every record looked up.
using DeadIds = QSet<QUuid>;

inline DeadIds deadIds(const QList<Tombstone>& tombstones)
{
    DeadIds dead;
    dead.reserve(tombstones.size());
    for (const Tombstone& tombstone : tombstones) {
        const QUuid id = QUuid::fromString(tombstone.id);
        if (Json::uuidText(id) == tombstone.id) dead.insert(id);
    }
    return dead;
}

// Order of two UUIDs by their upper-case text, without building the texts: the text is the
// fields in hexadecimal, most significant first, and hex digits sort like the values they spell.
inline bool idTextLess(const QUuid& left, const QUuid& right)
{
    if (left.data1 != right.data1) return left.data1 < right.data1;
    if (left.data2 != right.data2) return left.data2 < right.data2;
    if (left.data3 != right.data3) return left.data3 < right.data3;
    return std::lexicographical_compare(std::begin(left.data4), std::end(left.data4),
                                        std::begin(right.data4), std::end(right.data4));
}

// Up to this many records, a list is searched rather than indexed.
constexpr qsizetype fewRecords = 16;

// Records of both lists, `a`'s first, without the dead ones and with one record per id: where
// both sides hold an id, `a`'s copy is kept whole.
template <class T> QList<T> unionByID(const QList<T>& a, const QList<T>& b, const DeadIds& dead)
{
    QList<T> result;
    result.reserve(a.size() + b.size());
    // A word's few examples are looked through faster than a set is built for them.
    const bool few = a.size() + b.size() <= fewRecords;
    QSet<QUuid> taken;
    const auto isTaken = [&](const QUuid& id) {
        if (!few) return taken.contains(id);
        return std::any_of(result.cbegin(), result.cend(), [&](const T& r) { return r.id == id; });
    };
    for (const QList<T>* list : {&a, &b})
        for (const T& record : *list) {
            if (isTaken(record.id) || dead.contains(record.id)) continue;
            if (!few) taken.insert(record.id);
            result.append(record);
        }
    return result;
}

// One record per key, the one with the earliest date (equal dates: the smaller id text),
// listed in the order in which the keys first appear.
template <class T, class KeyOf>
QList<T> dedupe(const QList<T>& items, KeyOf key, QDateTime T::*at, QUuid T::*id)
{
    const bool few = items.size() <= fewRecords;
    QHash<QString, qsizetype> chosen; // key -> position in result, when there are many
    QStringList keys;                 // the key of each in result, when there are few
    QList<T> result;
    for (const T& item : items) {
        const QString itemKey = key(item);
        const qsizetype found = few ? keys.indexOf(itemKey) : chosen.value(itemKey, -1);
        if (found < 0) {
            if (few)
                keys.append(itemKey);
            else
                chosen.insert(itemKey, result.size());
            result.append(item);
            continue;
        }
        T& kept = result[found];
        if (item.*at < kept.*at || (item.*at == kept.*at && idTextLess(item.*id, kept.*id)))
            kept = item;
    }
    return result;
}

enum class DateOrder { newestFirst, oldestFirst };

// Sorts by `addedAt`, equal dates by id text ascending.
template <class T> void sortByAddedAt(QList<T>& list, DateOrder order)
{
    const bool newestFirst = order == DateOrder::newestFirst;
    std::sort(list.begin(), list.end(), [newestFirst](const T& left, const T& right) {
        if (left.addedAt != right.addedAt)
            return newestFirst ? right.addedAt < left.addedAt : left.addedAt < right.addedAt;
        return idTextLess(left.id, right.id);
    });
}

} // namespace glossivo::SyncMerge
