#pragma once

#include <QtGlobal>

namespace glossivo {

// A stretch of a text, in UTF-16 code units as QString counts them. One that came from outside
// (an accessibility interface) may hold anything, a negative or huge location included.
struct TextRange {
    qint64 location = 0;
    qint64 length = 0;

    bool operator==(const TextRange&) const = default;
};

} // namespace glossivo
