#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace glossivo {

// Where given words stand out in a sentence: every occurrence of each term, in any letter
// case and also inside longer words, as the union of all matches.
namespace Highlight {

struct Range {
    qsizetype start = 0;
    qsizetype end = 0; // one past the last code unit
    bool operator==(const Range&) const = default;
};

// Sorted, merged ranges in code units of the text. Terms are trimmed of spaces and tabs;
// terms shorter than two characters emphasise nothing.
QList<Range> ranges(const QString& text, const QStringList& terms);

} // namespace Highlight
} // namespace glossivo
