#pragma once

#include <QChar>

namespace glossivo::MarkdownCharacters {

// The character classes of CommonMark's inline rules.

inline bool isAsciiPunctuation(char32_t c)
{
    return c < 128 && ((c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') ||
                       (c >= '{' && c <= '~'));
}

inline bool isWhitespace(char32_t c)
{
    return c == '\t' || c == '\n' || c == '\f' || c == '\r' || QChar::isSpace(c);
}

inline bool isPunctuation(char32_t c)
{
    return isAsciiPunctuation(c) || QChar::isPunct(c);
}

} // namespace glossivo::MarkdownCharacters
