#pragma once

#include <QString>

#include <chrono>

namespace glossivo::DesktopNotifications {

// Shows a passing notification through the desktop's notification service on the session bus
// (org.freedesktop.Notifications, which GNOME, KDE, Xfce and the lone daemons such as dunst
// provide), and returns once the service took it, or after the wait: a notice sent as the
// program ends is out before the process is gone. Whether the service showed it.
bool send(const QString& title, const QString& message,
          std::chrono::milliseconds wait = std::chrono::seconds(2));

} // namespace glossivo::DesktopNotifications
