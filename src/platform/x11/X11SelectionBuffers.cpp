#include "platform/x11/X11SelectionBuffers.h"

#include <QDeadlineTimer>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>

#include <poll.h>

namespace glossivo {

X11SelectionBuffers::X11SelectionBuffers(QObject* parent) : QObject(parent)
{
    if (!m_connection.open()) return;
    Display* display = m_connection.display();
    int errorBase = 0;
    m_fixes = XFixesQueryExtension(display, &m_fixesEventBase, &errorBase);
    m_primary = XA_PRIMARY;
    m_clipboard = XInternAtom(display, "CLIPBOARD", False);
    // An unmapped window to receive converted selections.
    m_window = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
    if (m_fixes) {
        const unsigned long mask = XFixesSetSelectionOwnerNotifyMask |
                                   XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask;
        XFixesSelectSelectionInput(display, DefaultRootWindow(display), m_primary, mask);
        XFixesSelectSelectionInput(display, DefaultRootWindow(display), m_clipboard, mask);
    }
    XFlush(display);
    m_connection.setEventHandler([this](XEvent& event) { handle(event); });
}

X11SelectionBuffers::~X11SelectionBuffers()
{
    if (m_connection.display() && m_window) XDestroyWindow(m_connection.display(), m_window);
}

bool X11SelectionBuffers::primaryChangedSince(qint64 serverTimeMs)
{
    // Changes that arrived since the last batch count too.
    m_connection.processEvents();
    // Server time is 32 bits of milliseconds and wraps every 49 days.
    return m_primaryChangedAt && qint32(*m_primaryChangedAt - quint32(serverTimeMs)) >= 0;
}

quint64 X11SelectionBuffers::clipboardChanges() const
{
    return m_clipboardChanges;
}

void X11SelectionBuffers::handle(XEvent& event)
{
    if (!m_fixes || event.type != m_fixesEventBase + XFixesSelectionNotify) return;
    const auto& notify = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
    if (notify.selection == m_primary) m_primaryChangedAt = quint32(notify.timestamp);
    if (notify.selection == m_clipboard) ++m_clipboardChanges;
}

std::optional<QString> X11SelectionBuffers::primaryText()
{
    return convert(m_primary);
}

std::optional<QString> X11SelectionBuffers::clipboardText()
{
    return convert(m_clipboard);
}

std::optional<QString> X11SelectionBuffers::convert(unsigned long selection)
{
    Display* display = m_connection.display();
    if (!display) return std::nullopt;
    if (XGetSelectionOwner(display, selection) == None) return std::nullopt;
    const Atom property = XInternAtom(display, "GLOSSIVO_SELECTION", False);
    XConvertSelection(display, selection, XInternAtom(display, "UTF8_STRING", False), property,
                      m_window, CurrentTime);
    XFlush(display);
    return waitForConversion(property);
}

std::optional<QString> X11SelectionBuffers::waitForConversion(unsigned long property)
{
    Display* display = m_connection.display();
    const QDeadlineTimer deadline(m_timeout);
    XEvent event;
    for (;;) {
        // Other events read meanwhile (owner changes) still reach the counters.
        while (XPending(display) > 0) {
            XNextEvent(display, &event);
            if (event.type != SelectionNotify || event.xselection.requestor != m_window) {
                handle(event);
                continue;
            }
            if (event.xselection.property == None) return std::nullopt;
            Atom type = None;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            std::optional<QString> text;
            // Text larger than this comes in increments, which a lookup has no use for.
            if (XGetWindowProperty(display, m_window, property, 0, 1 << 20, True, AnyPropertyType,
                                   &type, &format, &count, &after, &data) == Success &&
                data && format == 8 && type != XInternAtom(display, "INCR", False))
                text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(count));
            if (data) XFree(data);
            return text;
        }
        const qint64 left = deadline.remainingTime();
        if (left <= 0) return std::nullopt;
        pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
        ::poll(&descriptor, 1, int(left));
    }
}

bool X11SelectionBuffers::postCopy()
{
    Display* display = m_connection.display();
    if (!display) return false;
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) == Success &&
        (state.base_mods & (ShiftMask | Mod1Mask | Mod3Mask | Mod4Mask | Mod5Mask)))
        return false;
    const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode c = XKeysymToKeycode(display, XK_c);
    if (!control || !c) return false;
    XTestFakeKeyEvent(display, control, True, CurrentTime);
    XTestFakeKeyEvent(display, c, True, CurrentTime);
    XTestFakeKeyEvent(display, c, False, CurrentTime);
    XTestFakeKeyEvent(display, control, False, CurrentTime);
    XFlush(display);
    return true;
}

} // namespace glossivo
