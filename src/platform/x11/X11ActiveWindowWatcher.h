#pragma once

#include "platform/FrontApplicationSource.h"

#include <QObject>

#include <xcb/xcb.h>

#include <functional>

class QSocketNotifier;

namespace glossivo {

// Follows _NET_ACTIVE_WINDOW on a connection of its own and remembers the window class of the
// last active window that belongs to another process and is not a panel or the desktop. It
// wakes only when the active window changes.
class X11ActiveWindowWatcher final : public QObject, public FrontApplicationSource {
    Q_OBJECT

public:
    // Names an application by its window class; empty when it has no name of its own.
    using Namer = std::function<QString(const QString& id)>;

    explicit X11ActiveWindowWatcher(Namer namer, QObject* parent = nullptr);
    ~X11ActiveWindowWatcher() override;

    // False without an X display; the watcher then never names an application.
    bool connected() const { return m_connection != nullptr; }
    std::optional<FrontApplication> frontmost() const override;

private:
    void drain();
    void update();
    xcb_atom_t atom(const char* name) const;
    xcb_window_t activeWindow() const;
    bool isOurs(xcb_window_t window) const;
    bool isPanel(xcb_window_t window) const;
    std::optional<QString> windowClass(xcb_window_t window) const;

    Namer m_namer;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_activeAtom = 0;
    QSocketNotifier* m_notifier = nullptr;
    std::optional<QString> m_lastClass;
};

} // namespace glossivo
