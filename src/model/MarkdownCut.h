#pragma once

#include <QString>

namespace glossivo {

// The text up to `end`, followed by `mark` (a "…"), made to read as inline Markdown (see
// InlineMarkdown) the way its start reads in the whole text: emphasis, strikethrough and a code
// span that the whole closes past the cut are closed before the mark, and a link that the cut
// splits is left out, so that no marker shows as written where the whole shows it styled, nor
// styled where the whole shows it as written. Markers right at a cut inside a line, which read
// by what follows them, are left out too. Reads the paragraph that holds the cut, and of what
// follows the cut no more than about as much again.
QString cutMarkdown(QStringView text, qsizetype end, QStringView mark);

} // namespace glossivo
