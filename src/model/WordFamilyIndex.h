#pragma once

#include "model/WordEntry.h"

#include <QList>
#include <QMultiHash>
#include <QUuid>

namespace glossivo {

// Which saved words may belong to a family, so that finding a word's family costs a lookup
// rather than a pass that lowercases every headword of the book. A word is filed under its
// family key (its root, else its headword, in lower case) and under its headword in lower case.
// Keys are filed by their hash alone, which keeps the index small: a caller checks each
// candidate's keys, so a collision costs a comparison, never a wrong member. The store keeps it
// in step with its list at every change.
class WordFamilyIndex {
public:
    // The key of the word's family: its root, else its headword, in lower case.
    static QString familyKey(const WordEntry& entry);
    // Whether the word belongs to the family of that key.
    static bool belongsTo(const WordEntry& entry, const QString& key);

    void rebuild(const QList<WordEntry>& entries);
    void add(const WordEntry& entry);
    // Files nothing more under the keys the entry has now.
    void remove(const WordEntry& entry);

    // The ids of every word filed under the key: a superset of the family, in no order.
    QList<QUuid> candidates(const QString& key) const;

private:
    QMultiHash<size_t, QUuid> m_ids;
};

} // namespace glossivo
