#include "input/ModifierState.h"

namespace glossivo {

bool ModifierState::press(const KeyEvent& event)
{
    if (!event.modifier || m_held.contains(event.keycode)) return false;
    m_held.insert(event.keycode, *event.modifier);
    return true;
}

bool ModifierState::release(const KeyEvent& event)
{
    return event.modifier && m_held.remove(event.keycode) > 0;
}

bool ModifierState::heldAlone(ModifierKey key) const
{
    if (m_held.isEmpty()) return false;
    for (const ModifierKey held : m_held)
        if (held != key) return false;
    return true;
}

} // namespace glossivo
