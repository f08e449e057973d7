#pragma once

#include <QString>

namespace glossivo {

// What the coach window shows of a message's text: all of it, or, for a text far beyond anything
// the coach writes, its start with "…" after it, so that the window opens at once whatever
// coach.json holds. The whole text stays in the message, to be copied.
struct CoachExcerpt {
    // Some twenty-five times the longest brief the coach is asked for.
    static constexpr qsizetype kShownCharacters = 20000;

    QString text;
    bool cut = false;

    // The cut falls at the end of a paragraph (else of a line) in the last tenth of what is
    // shown, so that no inline Markdown span is broken; without one, between two characters.
    static CoachExcerpt of(const QString& text);
};

} // namespace glossivo
