#pragma once

#include <QString>

#include <optional>

namespace glossivo {

// The X selections that screen input reads. A selection made after a mouse-down is told from
// an old one by the server time of the last change of owner, which orders it against the
// button events whatever order our connections deliver them in.
class SelectionBuffers {
public:
    virtual ~SelectionBuffers() = default;

    // Whether an application took PRIMARY at or after this server time (in ms).
    virtual bool primaryChangedSince(qint64 serverTimeMs) = 0;
    // Moves whenever an application takes CLIPBOARD, even one that already held it.
    virtual quint64 clipboardChanges() const = 0;
    // The selections as text, asked of their owners; none when the owner offers no text or
    // does not answer in time. Asking the server, not a cached copy, means a copy that just
    // landed is read even while this process still believes it owns CLIPBOARD.
    virtual std::optional<QString> primaryText() = 0;
    virtual std::optional<QString> clipboardText() = 0;
    // Presses and releases Ctrl+C as if the user typed it, for the window that has the focus.
    // False when nothing was sent: while the user holds Shift, Alt or Super the keys would
    // make another shortcut (Ctrl+Shift+C opens a browser's inspector).
    virtual bool postCopy() = 0;
};

} // namespace glossivo
