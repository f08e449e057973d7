#pragma once

#include <QList>
#include <QPoint>
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

// Where each slot goes, as its x and its row, on rows `width` wide with slots `widths[i]` wide
// and `spacing` apart: a word that does not fit on the rest of a row starts the next one, and
// breaks between its letters only when it is wider than a whole row; a gap between words that
// ends a row takes no room on the next.
QList<QPoint> place(const QList<Slot>& cells, const QList<int>& widths, int spacing, int width);

} // namespace LetterSlotLayout
} // namespace glossivo
