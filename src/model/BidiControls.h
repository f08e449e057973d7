#pragma once

#include <QString>

namespace glossivo::BidiControls {

// Text from outside (a web page, the AI service, another device) as it may be shown: without the
// bidirectional embedding, override and isolate controls (U+202A to U+202E, U+2066 to U+2069),
// which would reorder the characters around them, so that "rtl\u202Eevil" would read "rtllive".
// Everything else stays; text without them comes back as it is, without a copy.
QString removed(const QString& text);

// Whether the code point is one of those controls.
inline bool isControl(char32_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace glossivo::BidiControls
