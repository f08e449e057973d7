#include "card/ExplanationCache.h"

#include "ai/Characters.h"

namespace glossivo {

ExplanationCache::Key ExplanationCache::keyFor(const QString& selection,
                                               const std::optional<QString>& context)
{
    // toLower() is Unicode's default case mapping, the same in every locale.
    return {selection.toLower(),
            context ? Characters::prefix(*context, kContextCharacters) : QString()};
}

std::optional<Explanation> ExplanationCache::find(const Key& key) const
{
    const auto found = m_entries.constFind(key);
    if (found == m_entries.constEnd()) return std::nullopt;
    return *found;
}

void ExplanationCache::insert(const Key& key, const Explanation& explanation)
{
    m_entries.insert(key, explanation);
}

size_t qHash(const ExplanationCache::Key& key, size_t seed)
{
    return qHashMulti(seed, key.selection, key.context);
}

} // namespace glossivo
