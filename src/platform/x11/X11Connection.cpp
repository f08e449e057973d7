#include "platform/x11/X11Connection.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>

#include <atomic>

namespace glossivo {

namespace {

std::atomic<int> errors{0};

int countError(Display*, XErrorEvent*)
{
    ++errors;
    return 0;
}

} // namespace

X11Connection::X11Connection(QObject* parent) : QObject(parent) {}

X11Connection::~X11Connection()
{
    m_notifier.reset();
    if (m_display) XCloseDisplay(m_display);
}

bool X11Connection::open()
{
    if (m_display) return true;
    m_display = XOpenDisplay(nullptr);
    if (!m_display) return false;
    // The default handler exits the process; Qt talks to the server through xcb and never
    // sees these errors, so replacing it affects only our own connections.
    countErrors();
    m_notifier =
        std::make_unique<QSocketNotifier>(ConnectionNumber(m_display), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11Connection::processEvents);
    return true;
}

unsigned long X11Connection::root() const
{
    return m_display ? DefaultRootWindow(m_display) : 0;
}

void X11Connection::setEventHandler(std::function<void(XEvent&)> handler,
                                    std::function<void()> batchDone)
{
    m_handler = std::move(handler);
    m_batchDone = std::move(batchDone);
}

void X11Connection::processEvents()
{
    if (!m_display) return;
    // The batch's end may ask the server something (where the pointer is); events that arrive
    // meanwhile land in Xlib's queue, not on the socket, and nothing would wake us for them
    // until the next event, so a press or a key could wait. They are a batch of their own.
    do {
        bool any = false;
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            any = true;
            if (m_handler) m_handler(event);
        }
        if (any && m_batchDone) m_batchDone();
    } while (XEventsQueued(m_display, QueuedAlready) > 0);
}

void X11Connection::countErrors()
{
    XSetErrorHandler(countError);
}

int X11Connection::errorCount()
{
    return errors;
}

} // namespace glossivo
