#pragma once

#include "model/Unlock.h"

#include <QList>
#include <QString>

namespace glossivo {

// The lines of the unlock banner: what a lookup or a save revealed, in a fixed order.
namespace UnlockItems {

enum class Symbol { forms, grammar, affixes, wave, family };

struct Item {
    Symbol symbol;
    QString text;
    bool operator==(const Item&) const = default;
};

QList<Item> of(const Unlock& unlock);

} // namespace UnlockItems
} // namespace glossivo
