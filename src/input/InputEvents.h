#pragma once

#include "model/ModifierKey.h"

#include <QPoint>

#include <optional>

namespace glossivo {

// A button press or release anywhere on the desktop. Buttons follow X numbering (1 left,
// 2 middle, 3 right); wheel turns arrive as scroll events instead.
struct PointerEvent {
    int button = 1;
    QPoint position;    // global screen coordinates, origin top left, y down
    quint64 window = 0; // the top-level window under the pointer; 0 over the bare desktop
    qint64 timeMs = 0;  // server time of the event
};

// A key press or release anywhere on the desktop.
struct KeyEvent {
    quint32 keycode = 0;
    quint32 keysym = 0; // without modifiers applied (the key's first keysym)
    // The modifier the key is, in the configuration's names: option = Alt, command = Super,
    // control = Ctrl, shift = Shift. None for every other key.
    std::optional<ModifierKey> modifier;
    bool escape = false;
    quint64 focusWindow = 0; // the top-level window that has the keyboard focus
    qint64 timeMs = 0;
};

} // namespace glossivo
