#pragma once

#include "input/ClipboardSnapshot.h"

#include <optional>

namespace glossivo {

// The CLIPBOARD selection, read and written whole.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    virtual ClipboardSnapshot snapshot() = 0;
    // Puts every saved format back; an empty snapshot empties the clipboard.
    virtual void restore(const ClipboardSnapshot& snapshot) = 0;
    // The clipboard as plain text; none when it holds no text (an image, say).
    virtual std::optional<QString> text() = 0;
};

} // namespace glossivo
