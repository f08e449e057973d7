#include "ai/Characters.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace glossivo::Characters {

QString prefix(const QString& text, qsizetype count)
{
    if (count < 0) return text;
    // Only a stretch of the text a little longer than the characters asked for is looked at, so
    // that a few hundred characters of a text of megabytes cost what they cost of a short one. A
    // boundary inside the stretch is one of the whole text: it depends only on what comes before
    // it and on the character right after it.
    for (qsizetype stretch = 2 * count + 16;; stretch *= 2) {
        const qsizetype length = std::min(stretch, text.size());
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text.constData(), length);
        const bool whole = length == text.size();
        qsizetype found = 0;
        while (found < count) {
            const qsizetype next = characters.toNextBoundary();
            // The stretch's own end is a boundary only where the text ends.
            if (next == -1 || (next == length && !whole)) break;
            ++found;
        }
        if (found == count) return text.left(characters.position());
        if (whole) return text;
    }
}

} // namespace glossivo::Characters
