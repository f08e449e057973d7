#pragma once

#include "platform/QtClipboard.h"
#include "platform/atspi/AtspiAccessibility.h"
#include "platform/x11/X11SelectionBuffers.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/XInputEventSource.h"

namespace glossivo {

// The desktop services that screen input stands on, for an X11 session: global input, the
// windows, the selections, the clipboard and the accessibility bus. The composition root
// builds one and hands its parts to the selection reader, the page source and the triggers.
struct ScreenInputBackends {
    XInputEventSource input;
    X11WindowSystem windows;
    X11SelectionBuffers buffers;
    QtClipboard clipboard;
    AtspiAccessibility accessibility;

    // Whether the X server is reachable; without it (a Wayland session without XWayland) the
    // triggers cannot work and start() of the trigger controller gives false.
    bool isAvailable() const { return windows.isAvailable() && buffers.isAvailable(); }
};

// Whether a top-level window id belongs to one of this process's windows (the card, the
// overlay, the settings, the word book …), so that the triggers leave them alone.
bool isOwnWindow(quint64 windowId);

} // namespace glossivo
