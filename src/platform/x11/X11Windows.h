#pragma once

#include "input/WindowInfo.h"

#include <QPoint>

#include <optional>

typedef struct _XDisplay Display;

// Questions about windows that several X11 backends ask. Window managers wrap each client
// window in frames of their own, so the window an application created (the one with WM_STATE,
// WM_CLASS and the title) is looked for below or above the window the server reports.
namespace glossivo::X11Windows {

// The application window at or inside `window`; `window` itself when none is found.
unsigned long clientWindow(Display* display, unsigned long window);
// The application window that holds `window` (a focus window deep inside it, say).
unsigned long topLevelClient(Display* display, unsigned long window);
// The pointer's global position, in Qt's logical pixels, and the application window under it
// (0 over the bare root).
std::optional<QPoint> pointer(Display* display, unsigned long* clientUnderPointer = nullptr);
// The window manager's active window (0 when none is active); none without a window manager.
std::optional<unsigned long> activeWindow(Display* display);
// The application window that holds the keyboard focus; 0 when the focus is on the root.
unsigned long focusedWindow(Display* display);
WindowInfo describe(Display* display, unsigned long window);

} // namespace glossivo::X11Windows
