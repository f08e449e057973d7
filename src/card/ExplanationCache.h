#pragma once

#include "model/Explanation.h"

#include <QHash>
#include <QString>

#include <optional>

namespace glossivo {

// Explanations already fetched, for the life of the process. A lookup is the same when its
// selection matches in any letter case and its context matches in the first 300 characters.
// The key keeps selection and context apart, so "a|b" in "c" and "a" in "b|c" stay two lookups.
class ExplanationCache {
public:
    struct Key {
        QString selection; // lower case
        QString context;   // the first 300 characters; empty without a context

        bool operator==(const Key&) const = default;
    };

    static constexpr qsizetype kContextCharacters = 300;

    static Key keyFor(const QString& selection, const std::optional<QString>& context);

    std::optional<Explanation> find(const Key& key) const;
    void insert(const Key& key, const Explanation& explanation);
    qsizetype size() const { return m_entries.size(); }

private:
    QHash<Key, Explanation> m_entries;
};

size_t qHash(const ExplanationCache::Key& key, size_t seed = 0);

} // namespace glossivo
