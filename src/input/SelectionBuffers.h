#pragma once

#include <QString>

#include <optional>

namespace glossivo {

// The X selections that screen input reads. A selection made after a mouse-down is told from
// an old one by the server time of the last change of owner, which orders it against the
// button events whatever order our connections deliver them in. Some programs (Tk) take
// PRIMARY once and keep it while their selection changes; their new selection is told by
// its text.
class SelectionBuffers {
public:
    virtual ~SelectionBuffers() = default;

    // The first press of a gesture that may select: what PRIMARY holds now is asked of its
    // owner, without waiting for the answer.
    virtual void notePress() = 0;
    // Whether PRIMARY holds a selection made at or after this server time (in ms): an
    // application took it since, or the application that kept it now holds another text than
    // at the press or at the last read.
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
