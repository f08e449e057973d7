#include "platform/x11/XInputEventSource.h"

#include "platform/x11/X11Windows.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace glossivo {

namespace {

std::optional<ModifierKey> modifierOf(KeySym keysym)
{
    switch (keysym) {
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return ModifierKey::option;
    case XK_Super_L:
    case XK_Super_R:
        return ModifierKey::command;
    case XK_Control_L:
    case XK_Control_R:
        return ModifierKey::control;
    case XK_Shift_L:
    case XK_Shift_R:
        return ModifierKey::shift;
    default:
        return std::nullopt;
    }
}

} // namespace

XInputEventSource::XInputEventSource(QObject* parent) : GlobalInput(parent) {}

bool XInputEventSource::start()
{
    if (m_running) return true;
    if (!m_connection.open()) return false;
    Display* display = m_connection.display();
    int event = 0, error = 0;
    if (m_opcode < 0 && !XQueryExtension(display, "XInputExtension", &m_opcode, &event, &error))
        return false;
    // 2.1 or later delivers raw events to the root even while another client holds a grab,
    // which every application does during a drag.
    int major = 2, minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success || (major == 2 && minor < 1))
        return false;
    m_connection.setEventHandler([this](XEvent& e) { handle(e); }, [this] { flushMotion(); });
    m_running = selectEvents(true);
    return m_running;
}

void XInputEventSource::stop()
{
    if (!m_running) return;
    selectEvents(false);
    m_running = false;
    m_motionPending = false;
}

bool XInputEventSource::selectEvents(bool on)
{
    Display* display = m_connection.display();
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
        XISetMask(bits, XI_RawMotion);
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
    }
    XIEventMask mask{XIAllMasterDevices, int(sizeof(bits)), bits};
    const bool ok = XISelectEvents(display, DefaultRootWindow(display), &mask, 1) == Success;
    XFlush(display);
    return ok;
}

void XInputEventSource::handle(XEvent& event)
{
    if (!m_running || event.type != GenericEvent || event.xcookie.extension != m_opcode) return;
    Display* display = m_connection.display();
    if (!XGetEventData(display, &event.xcookie)) return;
    const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
    const int type = event.xcookie.evtype;
    const qint64 time = qint64(raw->time);
    const int detail = raw->detail;
    XFreeEventData(display, &event.xcookie);
    switch (type) {
    case XI_RawButtonPress:
    case XI_RawButtonRelease:
        emitButton(type, detail, time);
        break;
    case XI_RawMotion:
        m_motionPending = true;
        break;
    case XI_RawKeyPress:
    case XI_RawKeyRelease:
        emitKey(type, unsigned(detail), time);
        break;
    default:
        break;
    }
}

void XInputEventSource::flushMotion()
{
    if (!m_motionPending || !m_running) return;
    m_motionPending = false;
    if (const std::optional<QPoint> at = X11Windows::pointer(m_connection.display()))
        Q_EMIT pointerMoved(*at);
}

void XInputEventSource::emitButton(int type, int button, qint64 time)
{
    PointerEvent event;
    event.button = button;
    event.timeMs = time;
    unsigned long window = 0;
    event.position = X11Windows::pointer(m_connection.display(), &window).value_or(QPoint());
    event.window = window;
    const bool wheel = button >= 4 && button <= 7;
    if (wheel) {
        // A wheel turn is a press and a release; one scroll is enough.
        if (type == XI_RawButtonPress) Q_EMIT scrolled(event);
    } else if (type == XI_RawButtonPress) {
        Q_EMIT buttonPressed(event);
    } else {
        Q_EMIT buttonReleased(event);
    }
}

void XInputEventSource::emitKey(int type, unsigned int keycode, qint64 time)
{
    Display* display = m_connection.display();
    KeyEvent event;
    event.keycode = keycode;
    event.timeMs = time;
    event.keysym = quint32(XkbKeycodeToKeysym(display, KeyCode(keycode), 0, 0));
    event.modifier = modifierOf(event.keysym);
    event.escape = event.keysym == XK_Escape;
    event.focusWindow = X11Windows::focusedWindow(display);
    if (type == XI_RawKeyPress)
        Q_EMIT keyPressed(event);
    else
        Q_EMIT keyReleased(event);
}

} // namespace glossivo
