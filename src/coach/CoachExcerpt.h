#pragma once

#include <QString>

namespace glossivo {

// What the coach window shows of a message's text: all of it, or, for a text far beyond anything
// the coach writes, its start with "…" after it, so that the window opens at once whatever
// coach.json holds. The whole text stays in the message, to be copied.
struct CoachExcerpt {
    // Some twenty-five times the longest brief the coach is asked for.
    static constexpr qsizetype kShownCharacters = 20000;

    qsizetype end = 0; // the part shown is the text before it
    bool cut = false;

    // The cut falls at the end of a paragraph in the last half of what is shown, else at the end
    // of a line in its last tenth, else between two characters. The part shown is drawn as the
    // whole text draws it (inlineMarkdownPrefix).
    static CoachExcerpt of(const QString& text);
};

} // namespace glossivo
