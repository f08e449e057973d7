#pragma once

#include <QString>

namespace glossivo {

// An AI answer's inline Markdown as Qt rich text for a label or a text view: strong emphasis,
// emphasis ("*" or "_"), strikethrough ("~~"), code spans and links become <b>, <i>, <s>, <code>
// and <a>, with their markers taken out; markers that pair with nothing stay as written, and
// they nest and bind as a CommonMark reader has them. Nothing else is read as Markdown: list
// markers, headings, quotes, tables and fences stay literal, and every line break and run of
// spaces stays where it is. Character references ("&amp;", "&#20320;") outside code spans stand
// for their character, which is then only text and never a marker. Every character is escaped,
// so tags show as text, and only an http or https link becomes an anchor (any other link shows
// its text alone). A text that is not valid UTF-16 comes back escaped and unstyled.
// Bidirectional controls are left out (see BidiControls), those written as references too.
//
// Pure, and linear in the length of the text: answers of any size and shape may be passed.
QString inlineMarkdown(const QString& text);

// The start of the text up to `end` (in UTF-16 units of the text as given) as the whole text
// shows it, then `mark` (a "…"): emphasis, a code span or a link that the whole closes past the
// cut is closed before the mark, and a marker that the cut reaches or goes through is left out
// with everything after it. Of the paragraph that holds the cut it reads no further than some
// 20,000 units past the cut, so a span it cannot see closed there shows as written.
QString inlineMarkdownPrefix(const QString& text, qsizetype end, QStringView mark);

// The text escaped as it is (bidirectional controls left out), in the same wrapping that keeps its
// spaces and line breaks.
QString plainMarkup(const QString& text);

} // namespace glossivo
