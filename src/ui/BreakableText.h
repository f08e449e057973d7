#pragma once

#include <QString>

namespace glossivo {

// The text with a line-break opportunity (U+200B) after every character of each stretch without
// one that is longer than a word ever is (a pasted address, a note without blanks, a headword of
// junk), so that a wrapping label can break it; words of ordinary length stay whole and move to
// the next line, and Chinese, which breaks between its characters, is left as it is.
QString breakableText(const QString& text);

// From now on, what the user copies or selects in one of the program's labels reaches the
// clipboard without the break opportunities that breakableText put there: they are no part of
// the text. Call it once, with the application object.
void keepBreaksOutOfCopies();

// The text cut after `limit` characters, "…" standing for the rest: a headword of thousands of
// letters is junk, and all of it would fill the window with one word.
QString cappedText(const QString& text, qsizetype limit = 200);

} // namespace glossivo
