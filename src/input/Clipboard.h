#pragma once

#include "input/ClipboardSnapshot.h"

namespace glossivo {

// The CLIPBOARD selection, saved and put back whole.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    virtual ClipboardSnapshot snapshot() = 0;
    // Puts every saved format back; an empty snapshot empties the clipboard.
    virtual void restore(const ClipboardSnapshot& snapshot) = 0;
};

} // namespace glossivo
