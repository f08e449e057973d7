#include "model/WordFamilyIndex.h"

namespace glossivo {

namespace {

// A fixed seed: the index is rebuilt with each process and never leaves it.
size_t hashOf(const QString& key)
{
    return qHash(key, size_t(0));
}

} // namespace

QString WordFamilyIndex::familyKey(const WordEntry& entry)
{
    return entry.familyRoot.value_or(entry.headword).toLower();
}

bool WordFamilyIndex::belongsTo(const WordEntry& entry, const QString& key)
{
    return familyKey(entry) == key || entry.headword.toLower() == key;
}

void WordFamilyIndex::rebuild(const QList<WordEntry>& entries)
{
    m_ids.clear();
    m_ids.reserve(entries.size());
    for (const WordEntry& entry : entries)
        add(entry);
}

void WordFamilyIndex::add(const WordEntry& entry)
{
    const size_t family = hashOf(familyKey(entry));
    m_ids.insert(family, entry.id);
    if (entry.familyRoot) {
        const size_t headword = hashOf(entry.headword.toLower());
        if (headword != family) m_ids.insert(headword, entry.id);
    }
}

void WordFamilyIndex::remove(const WordEntry& entry)
{
    m_ids.remove(hashOf(familyKey(entry)), entry.id);
    if (entry.familyRoot) m_ids.remove(hashOf(entry.headword.toLower()), entry.id);
}

QList<QUuid> WordFamilyIndex::candidates(const QString& key) const
{
    return m_ids.values(hashOf(key));
}

} // namespace glossivo
