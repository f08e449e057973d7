#include "platform/x11/X11PermissionProbe.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

namespace glossivo {

namespace {

X11PermissionProbe::Facts probe()
{
    X11PermissionProbe::Facts facts;
    facts.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    facts.waylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    Display* display = XOpenDisplay(nullptr);
    if (!display) return facts;
    facts.displayOpened = true;
    int opcode = 0;
    int event = 0;
    int error = 0;
    if (XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) {
        int major = 2;
        int minor = 0;
        facts.xinput2 = XIQueryVersion(display, &major, &minor) == Success;
    }
    int majorVersion = 0;
    int minorVersion = 0;
    facts.xtest = XTestQueryExtension(display, &event, &error, &majorVersion, &minorVersion);
    XCloseDisplay(display);
    return facts;
}

} // namespace

X11PermissionProbe::X11PermissionProbe() : m_session(decide(probe())) {}

PermissionSource::Session X11PermissionProbe::decide(const Facts& facts)
{
    if (facts.sessionType == QLatin1String("wayland") || facts.waylandDisplay)
        return Session::wayland;
    if (!facts.displayOpened) return Session::none;
    return facts.xinput2 && facts.xtest ? Session::x11 : Session::x11WithoutInput;
}

} // namespace glossivo
