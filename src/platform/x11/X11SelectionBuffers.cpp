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
    m_property = XInternAtom(display, "GLOSSIVO_SELECTION", False);
    // Unmapped windows to receive converted selections.
    m_window = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
    m_pressWindow =
        XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
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
    if (!m_connection.display()) return;
    if (m_window) XDestroyWindow(m_connection.display(), m_window);
    if (m_pressWindow) XDestroyWindow(m_connection.display(), m_pressWindow);
}

void X11SelectionBuffers::notePress()
{
    Display* display = m_connection.display();
    if (!display) return;
    m_atPress = {XGetSelectionOwner(display, m_primary), std::nullopt};
    if (!m_atPress.owner) return;
    // The owner reads this request after the press itself, so it answers with the selection
    // as the press left it (a click into a Tk text clears it).
    XConvertSelection(display, m_primary, XInternAtom(display, "UTF8_STRING", False), m_property,
                      m_pressWindow, CurrentTime);
    XFlush(display);
}

bool X11SelectionBuffers::primaryChangedSince(qint64 serverTimeMs)
{
    // Changes that arrived since the last batch count too.
    m_connection.processEvents();
    // Server time is 32 bits of milliseconds and wraps every 49 days.
    if (m_primaryChangedAt && qint32(*m_primaryChangedAt - quint32(serverTimeMs)) >= 0) return true;
    return keptButChanged();
}

bool X11SelectionBuffers::keptButChanged()
{
    Display* display = m_connection.display();
    const unsigned long owner = display ? XGetSelectionOwner(display, m_primary) : 0;
    return KeptSelection::isNew(
        owner, [this] { return convert(m_primary); }, m_atPress, m_lastRead);
}

quint64 X11SelectionBuffers::clipboardChanges() const
{
    return m_clipboardChanges;
}

void X11SelectionBuffers::handle(XEvent& event)
{
    if (event.type == SelectionNotify && event.xselection.requestor == m_pressWindow) {
        // A refusal means the owner holds no text at the moment.
        m_atPress.text =
            event.xselection.property == None
                ? QString()
                : takeText(m_pressWindow, event.xselection.property).value_or(QString());
        return;
    }
    if (!m_fixes || event.type != m_fixesEventBase + XFixesSelectionNotify) return;
    const auto& notify = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
    if (notify.selection == m_primary) m_primaryChangedAt = quint32(notify.timestamp);
    if (notify.selection == m_clipboard) ++m_clipboardChanges;
}

std::optional<QString> X11SelectionBuffers::primaryText()
{
    Display* display = m_connection.display();
    const unsigned long owner = display ? XGetSelectionOwner(display, m_primary) : 0;
    std::optional<QString> text = convert(m_primary);
    m_lastRead = {owner, text};
    return text;
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
    XConvertSelection(display, selection, XInternAtom(display, "UTF8_STRING", False), m_property,
                      m_window, CurrentTime);
    XFlush(display);
    return waitForConversion(m_property);
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
            return takeText(m_window, property);
        }
        const qint64 left = deadline.remainingTime();
        if (left <= 0) return std::nullopt;
        pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
        ::poll(&descriptor, 1, int(left));
    }
}

std::optional<QString> X11SelectionBuffers::takeText(unsigned long window, unsigned long property)
{
    Display* display = m_connection.display();
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<QString> text;
    // Text larger than this comes in increments, which a lookup has no use for.
    if (XGetWindowProperty(display, window, property, 0, 1 << 20, True, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
        data && format == 8 && type != XInternAtom(display, "INCR", False))
        text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(count));
    if (data) XFree(data);
    return text;
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
