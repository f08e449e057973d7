#pragma once

#include <QFont>
#include <QString>

namespace glossivo {

// The text as it fits in at most `lines` lines of that width, words wrapped, the last line cut
// off at the end with "…" when the text runs on.
QString elidedLines(const QString& text, const QFont& font, int width, int lines);

// How many lines the text takes at that width, words wrapped.
int lineCount(const QString& text, const QFont& font, int width);

// The narrowest width, down to half of `width`, at which the text takes no more lines than at
// `width`: a wrapped sentence then ends in a line of its own length rather than in a word or
// two left alone.
int balancedWidth(const QString& text, const QFont& font, int width);

} // namespace glossivo
