#pragma once

#include <QList>
#include <QString>

namespace glossivo {

// What each slot of a typed spelling answer shows: one slot per character position up to the
// longer of the answer and what was typed.
namespace LetterSlotLayout {

enum class SlotColour { pending, right, wrong };

struct Slot {
    QString character;
    SlotColour colour = SlotColour::pending;
    bool operator==(const Slot&) const = default;
};

QList<Slot> arrange(const QString& answer, const QString& typed);

} // namespace LetterSlotLayout
} // namespace glossivo
