#pragma once

#include "input/InputEvents.h"

#include <QHash>

#include <optional>

namespace glossivo {

// Which of the four modifier keys are held, followed from the desktop's key events (raw key
// events carry no modifier state). Left and right keys count separately, so releasing one of
// two held Shift keys leaves Shift held.
class ModifierState {
public:
    // Follows a key going down or up; true when the held set changed.
    bool press(const KeyEvent& event);
    bool release(const KeyEvent& event);
    // Forgets every held key, as when listening starts again.
    void clear() { m_held.clear(); }

    bool none() const { return m_held.isEmpty(); }
    // Whether `key` is held and no other of the four is.
    bool heldAlone(ModifierKey key) const;

private:
    QHash<quint32, ModifierKey> m_held; // by keycode
};

} // namespace glossivo
