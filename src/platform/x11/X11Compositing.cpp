#include "platform/x11/X11Compositing.h"

#include <X11/Xlib.h>

#include <string>

namespace glossivo::X11Compositing {

bool isActive()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    // A compositing manager owns this selection for the screen it composes.
    const std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.c_str(), False);
    const bool active = XGetSelectionOwner(display, selection) != None;
    XCloseDisplay(display);
    return active;
}

} // namespace glossivo::X11Compositing
