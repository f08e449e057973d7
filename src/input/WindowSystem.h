#pragma once

#include "input/WindowInfo.h"

#include <QPoint>

#include <optional>

namespace glossivo {

// The desktop's windows and pointer, as screen input needs them.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The window the user works in: the window manager's active window, or without a window
    // manager the top-level window under the pointer. None over the bare desktop.
    virtual std::optional<WindowInfo> activeWindow() = 0;
    // The window that receives typed keys, described by its top-level window.
    virtual std::optional<WindowInfo> focusedWindow() = 0;
    // The top-level window under the pointer; none over the bare desktop.
    virtual std::optional<WindowInfo> windowUnderPointer() = 0;
    // The pointer in global screen coordinates (origin top left, y down).
    virtual QPoint pointer() = 0;
};

} // namespace glossivo
