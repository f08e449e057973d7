#pragma once

#include <QFont>
#include <QString>

namespace glossivo {

// The text as it fits in at most `lines` lines of that width, words wrapped, the last line cut
// off at the end with "…" when the text runs on.
QString elidedLines(const QString& text, const QFont& font, int width, int lines);

} // namespace glossivo
