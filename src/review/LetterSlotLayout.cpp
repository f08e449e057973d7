#include "review/LetterSlotLayout.h"

#include "model/Graphemes.h"

#include <algorithm>

namespace glossivo::LetterSlotLayout {

QList<Slot> arrange(const QString& answer, const QString& typed)
{
    const QStringList expected = Graphemes::split(answer);
    const QStringList written = Graphemes::split(typed);
    const qsizetype count = std::max(expected.size(), written.size());
    QList<Slot> result;
    result.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        if (i < written.size()) {
            const bool right =
                i < expected.size() && written[i].compare(expected[i], Qt::CaseInsensitive) == 0;
            result.append({written[i], right ? SlotColour::right : SlotColour::wrong});
        } else {
            // The blank between the words of a phrase shows as a gap, not as a letter to type.
            const bool gap = expected[i] == u" ";
            result.append({gap ? QStringLiteral(" ") : QStringLiteral("_"), SlotColour::pending});
        }
    }
    return result;
}

QList<QPoint> place(const QList<Slot>& cells, const QList<int>& widths, int spacing, int width)
{
    QList<QPoint> places(cells.size());
    int row = 0;
    int used = 0; // of the row; 0 while it is empty
    const auto start = [&] { return used == 0 ? 0 : used + spacing; };
    const auto fits = [&](qint64 extent) { return used == 0 || start() + extent <= width; };
    const auto put = [&](qsizetype i) {
        places[i] = {start(), row};
        used = places[i].x() + widths[i];
    };
    const auto newRow = [&] { ++row, used = 0; };
    const auto isGap = [&cells](qsizetype i) { return cells[i].character == u" "; };
    for (qsizetype i = 0; i < cells.size();) {
        if (isGap(i)) {
            const bool room = fits(widths[i]);
            put(i);
            if (!room) newRow();
            ++i;
            continue;
        }
        qsizetype end = i;
        qint64 extent = -spacing;
        for (; end < cells.size() && !isGap(end); ++end)
            extent += spacing + widths[end];
        if (!fits(extent)) newRow();
        for (; i < end; ++i) {
            if (!fits(widths[i])) newRow();
            put(i);
        }
    }
    return places;
}

} // namespace glossivo::LetterSlotLayout
