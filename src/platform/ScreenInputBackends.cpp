#include "platform/ScreenInputBackends.h"

#include <QGuiApplication>
#include <QWindow>

namespace glossivo {

bool isOwnWindow(quint64 windowId)
{
    if (windowId == 0) return false;
    const QWindowList windows = QGuiApplication::allWindows();
    for (const QWindow* window : windows)
        if (window->handle() && quint64(window->winId()) == windowId) return true;
    return false;
}

} // namespace glossivo
