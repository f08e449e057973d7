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

} // namespace glossivo::LetterSlotLayout
