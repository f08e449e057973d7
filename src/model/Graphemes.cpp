#include "model/Graphemes.h"

#include <QTextBoundaryFinder>

namespace glossivo::Graphemes {

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

} // namespace glossivo::Graphemes
