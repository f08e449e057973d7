#pragma once

#include <QString>

#include <optional>

namespace glossivo {

// The X selections that screen input reads. The change counters move whenever an application
// takes ownership of the selection, even when it already held it, so a selection made after a
// mouse-down is told from an old one by comparing the counter with its value at that moment.
class SelectionBuffers {
public:
    virtual ~SelectionBuffers() = default;

    virtual quint64 primaryChanges() const = 0;
    virtual quint64 clipboardChanges() const = 0;
    // The PRIMARY selection as text; none when its owner offers no text or does not answer.
    virtual std::optional<QString> primaryText() = 0;
    // Presses and releases Ctrl+C as if the user typed it, for the window that has the focus.
    virtual void postCopy() = 0;
};

} // namespace glossivo
