#pragma once

#include "input/Clipboard.h"

namespace glossivo {

// The CLIPBOARD through the toolkit, which handles every format and large transfers. Once
// restored, the contents are served by this process, as a clipboard manager would.
class QtClipboard : public Clipboard {
public:
    ClipboardSnapshot snapshot() override;
    void restore(const ClipboardSnapshot& snapshot) override;
};

} // namespace glossivo
