#pragma once

#include <QString>

#include <chrono>
#include <functional>

namespace glossivo::DesktopNotifications {

// Passing notifications through the desktop's notification service on the session bus
// (org.freedesktop.Notifications, which GNOME, KDE, Xfce and the lone daemons such as dunst
// provide). A notice counts as shown when the service answered the call; it does not when the
// bus or the service is missing, the service answered with an error, or not within the wait.

// Sends the notice and returns at once: a service that is slow or never answers must not stop
// the program. `answered` is called later, from the event loop, with whether it was shown.
void post(const QString& title, const QString& message, std::function<void(bool shown)> answered,
          std::chrono::milliseconds wait = std::chrono::seconds(2));

// Sends the notice and returns once the service answered, or after the wait: for the notice
// sent as the program ends, which must be out before the process is gone. Whether it was shown.
bool send(const QString& title, const QString& message,
          std::chrono::milliseconds wait = std::chrono::seconds(2));

} // namespace glossivo::DesktopNotifications
