#include "model/Graphemes.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace glossivo::Graphemes {

namespace {

// A stretch of the text at least this long that ends between two code points. A boundary
// before the stretch's end is one of the whole text, since it depends only on what comes before
// it and on the code point right after it; a stretch that ended inside a surrogate pair would
// show that code point as a lone half, after which every position is a boundary.
qsizetype stretchEnd(QStringView text, qsizetype length)
{
    if (length >= text.size()) return text.size();
    if (length > 0 && text[length - 1].isHighSurrogate() && text[length].isLowSurrogate()) ++length;
    return length;
}

} // namespace

QStringList split(const QString& text)
{
    QStringList characters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        characters.append(text.mid(start, end - start));
        start = end;
    }
    return characters;
}

qsizetype prefixEnd(QStringView text, qsizetype count)
{
    if (count < 0 || text.isEmpty()) return text.size();
    for (qsizetype stretch = 2 * count + 16;; stretch *= 2) {
        const qsizetype length = stretchEnd(text, stretch);
        const bool whole = length == text.size();
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text.data(), length);
        qsizetype found = 0;
        while (found < count) {
            const qsizetype next = characters.toNextBoundary();
            // The stretch's own end is a boundary only where the text ends.
            if (next == -1 || (next == length && !whole)) break;
            ++found;
        }
        if (found == count) return characters.position();
        if (whole) return text.size();
    }
}

qsizetype boundaryAtOrBefore(QStringView text, qsizetype position)
{
    if (position <= 0) return 0;
    if (position >= text.size()) return text.size();
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text.data(),
                                   stretchEnd(text, position + 1));
    characters.setPosition(position);
    return characters.isAtBoundary() ? position : characters.toPreviousBoundary();
}

} // namespace glossivo::Graphemes
