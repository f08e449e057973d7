#pragma once

#include "model/TextOrder.h"

#include <QString>

#include <map>

namespace glossivo {

// Words in the coach's lists go in code-point order: upper-case letters before lower-case
// ones, and the same order whatever the locale.
struct WordOrder {
    bool operator()(const QString& left, const QString& right) const
    {
        return TextOrder::codePointLess(left, right);
    }
};

template <class T> using ByWord = std::map<QString, T, WordOrder>;

} // namespace glossivo
