#pragma once

#include <QStringList>
#include <QStringView>

// The characters are the grapheme clusters of QTextBoundaryFinder, except that no position falls
// inside a surrogate pair, before a mark, skin tone or joiner, or inside a joined emoji or a
// flag, even where the finder puts one there (beside Devanagari, Thai, Khmer and other scripts it
// segments by rules of their own).
namespace glossivo::Graphemes {

// The user-perceived characters of a text, so that an accented letter or an emoji counts once.
QStringList split(const QString& text);

// Where the first count user-perceived characters of the text end, in UTF-16 units (the text's
// size when it has fewer; a negative count asks for all of it). Only a stretch a little longer
// than what is asked for is read, so a few characters of a text of megabytes cost what they
// cost of a short one.
qsizetype prefixEnd(QStringView text, qsizetype count);

// The last boundary between user-perceived characters at or before the position (in UTF-16
// units), reading nothing past the character that follows the position.
qsizetype boundaryAtOrBefore(QStringView text, qsizetype position);

} // namespace glossivo::Graphemes
