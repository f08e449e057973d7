#pragma once

#include "input/WindowSystem.h"
#include "platform/x11/X11Connection.h"

namespace glossivo {

// The desktop's windows read from the X server on a connection of their own.
class X11WindowSystem : public WindowSystem {
public:
    X11WindowSystem();

    bool isAvailable() const { return m_connection.isOpen(); }

    std::optional<WindowInfo> activeWindow() override;
    std::optional<WindowInfo> focusedWindow() override;
    std::optional<WindowInfo> windowUnderPointer() override;
    QPoint pointer() override;

private:
    X11Connection m_connection;
};

} // namespace glossivo
