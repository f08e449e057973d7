#pragma once

#include <QtGlobal>

namespace glossivo {

// A selection's place in a text, in UTF-16 code units; an accessibility interface may report
// anything here, a negative or huge location included.
struct TextRange {
    qint64 location = 0;
    qint64 length = 0;

    bool operator==(const TextRange&) const = default;
};

} // namespace glossivo
