#include "platform/x11/X11ActiveWindowWatcher.h"

#include <QSocketNotifier>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace glossivo {

namespace {

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
template <class T> using Reply = std::unique_ptr<T, FreeDeleter>;

} // namespace

X11ActiveWindowWatcher::X11ActiveWindowWatcher(Namer namer, QObject* parent)
    : QObject(parent), m_namer(std::move(namer))
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem) {
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    m_root = screens.data->root;
    m_activeAtom = atom("_NET_ACTIVE_WINDOW");
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
    m_notifier =
        new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11ActiveWindowWatcher::drain);
    update();
}

X11ActiveWindowWatcher::~X11ActiveWindowWatcher()
{
    delete m_notifier;
    if (m_connection) xcb_disconnect(m_connection);
}

std::optional<FrontApplication> X11ActiveWindowWatcher::frontmost() const
{
    if (!m_lastClass) return std::nullopt;
    return FrontApplication{*m_lastClass, m_namer ? m_namer(*m_lastClass) : QString()};
}

void X11ActiveWindowWatcher::drain()
{
    bool activeChanged = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* property = reinterpret_cast<xcb_property_notify_event_t*>(event);
            activeChanged = activeChanged || property->atom == m_activeAtom;
        }
        std::free(event);
    }
    if (activeChanged) update();
}

void X11ActiveWindowWatcher::update()
{
    const xcb_window_t window = activeWindow();
    if (window == XCB_WINDOW_NONE || isOurs(window) || isPanel(window)) return;
    m_lastClass = windowClass(window);
}

xcb_atom_t X11ActiveWindowWatcher::atom(const char* name) const
{
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        m_connection,
        xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t X11ActiveWindowWatcher::activeWindow() const
{
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, m_root, m_activeAtom, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) < 4) return XCB_WINDOW_NONE;
    return *static_cast<xcb_window_t*>(xcb_get_property_value(reply.get()));
}

bool X11ActiveWindowWatcher::isOurs(xcb_window_t window) const
{
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) < 4) return false;
    return *static_cast<uint32_t*>(xcb_get_property_value(reply.get())) ==
           static_cast<uint32_t>(::getpid());
}

bool X11ActiveWindowWatcher::isPanel(xcb_window_t window) const
{
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(m_connection,
                               xcb_get_property(m_connection, 0, window,
                                                atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 0, 32),
                               nullptr));
    if (!reply) return false;
    const xcb_atom_t dock = atom("_NET_WM_WINDOW_TYPE_DOCK");
    const xcb_atom_t desktop = atom("_NET_WM_WINDOW_TYPE_DESKTOP");
    const auto* types = static_cast<xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (types[i] == dock || types[i] == desktop) return true;
    return false;
}

// WM_CLASS holds the instance name and then the class name, each ended by a zero byte.
std::optional<QString> X11ActiveWindowWatcher::windowClass(xcb_window_t window) const
{
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256),
        nullptr));
    if (!reply) return std::nullopt;
    const QByteArray value(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           xcb_get_property_value_length(reply.get()));
    const QList<QByteArray> parts = value.split('\0');
    if (parts.size() < 2 || parts[1].isEmpty()) return std::nullopt;
    return QString::fromLocal8Bit(parts[1]);
}

} // namespace glossivo
