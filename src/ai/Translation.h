#pragma once

#include <QHashFunctions>
#include <QList>
#include <QString>

#include <optional>

namespace glossivo {

// A passage in Chinese, with the few terms in it most worth learning.
struct Translation {
    struct KeyTerm {
        QString text; // exactly as it appears in the passage
        QString meaningZh;

        bool operator==(const KeyTerm&) const = default;
    };

    QString translationZh;
    std::optional<QList<KeyTerm>> keyTerms;

    bool operator==(const Translation&) const = default;
};

inline size_t qHash(const Translation::KeyTerm& term, size_t seed = 0)
{
    return qHashMulti(seed, term.text, term.meaningZh);
}

} // namespace glossivo
