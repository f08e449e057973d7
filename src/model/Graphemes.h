#pragma once

#include <QStringList>
#include <QStringView>

// The characters are Unicode's extended grapheme clusters, as ICU's character break iterator
// finds them in the text's own UTF-16, so that every count and every cut agrees with every other
// whatever the scripts beside them. (Qt 6.4's QTextBoundaryFinder has Unicode 14's tables and
// puts boundaries inside characters beside Devanagari, Thai, Myanmar and other scripts.)
namespace glossivo::Graphemes {

// The user-perceived characters of a text, so that an accented letter or an emoji counts once.
QStringList split(const QString& text);

// Where the first count user-perceived characters of the text end, in UTF-16 units (the text's
// size when it has fewer; a negative count asks for all of it). The text is read from its start
// only as far as those characters reach, so a few characters of a text of megabytes cost what
// they cost of a short one.
qsizetype prefixEnd(QStringView text, qsizetype count);

// The last boundary between user-perceived characters at or before the position (in UTF-16
// units), reading only the characters around the position.
qsizetype boundaryAtOrBefore(QStringView text, qsizetype position);

} // namespace glossivo::Graphemes
