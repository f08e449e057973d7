#pragma once

#include "model/Explanation.h"

#include <QHashFunctions>
#include <QList>
#include <QString>

#include <optional>

namespace glossivo {

// A dictionary search: the explanation of the corrected or translated query, with what the
// query is and, for a Chinese query, other English ways to say it.
struct LookupResult {
    struct Alternative {
        QString text;
        QString meaningZh; // how it differs from the headword

        bool operator==(const Alternative&) const = default;
    };

    Explanation explanation;
    std::optional<QString> aboutZh;
    std::optional<bool> corrected; // the service changed the spelling of English input
    std::optional<QList<Alternative>> alternatives;

    bool operator==(const LookupResult&) const = default;
};

inline size_t qHash(const LookupResult::Alternative& alternative, size_t seed = 0)
{
    return qHashMulti(seed, alternative.text, alternative.meaningZh);
}

} // namespace glossivo
