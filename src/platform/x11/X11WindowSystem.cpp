#include "platform/x11/X11WindowSystem.h"

#include "platform/x11/X11Windows.h"

namespace glossivo {

X11WindowSystem::X11WindowSystem()
{
    m_connection.open();
}

std::optional<WindowInfo> X11WindowSystem::activeWindow()
{
    Display* display = m_connection.display();
    if (!display) return std::nullopt;
    unsigned long window = 0;
    if (const std::optional<unsigned long> active = X11Windows::activeWindow(display))
        window = *active;
    else
        X11Windows::pointer(display, &window);
    if (!window) return std::nullopt;
    return X11Windows::describe(display, window);
}

std::optional<WindowInfo> X11WindowSystem::focusedWindow()
{
    Display* display = m_connection.display();
    if (!display) return std::nullopt;
    const unsigned long window = X11Windows::focusedWindow(display);
    if (!window) return std::nullopt;
    return X11Windows::describe(display, window);
}

std::optional<WindowInfo> X11WindowSystem::windowUnderPointer()
{
    Display* display = m_connection.display();
    if (!display) return std::nullopt;
    unsigned long window = 0;
    X11Windows::pointer(display, &window);
    if (!window) return std::nullopt;
    return X11Windows::describe(display, window);
}

QPoint X11WindowSystem::pointer()
{
    Display* display = m_connection.display();
    if (!display) return {};
    return X11Windows::pointer(display).value_or(QPoint());
}

} // namespace glossivo
