#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <optional>

namespace glossivo::DesktopNotifications {

// Passing notifications through the desktop's notification service on the session bus
// (org.freedesktop.Notifications, which GNOME, KDE, Xfce and the lone daemons such as dunst
// provide). A notice counts as shown when the service answered the call; it does not when the
// bus or the service is missing, the service answered with an error, or not within the wait.

// Sends the notice and returns at once: a service that is slow or never answers must not stop
// the program. `answered` is called later, from the event loop, with the id the service gave the
// notice, or none when it was not shown.
void post(const QString& title, const QString& message,
          std::function<void(std::optional<uint> id)> answered,
          std::chrono::milliseconds wait = std::chrono::seconds(2));

// Takes a shown notice back, without waiting for the service: one that no longer holds.
void close(uint id);

// Sends the notice and returns once the service answered, or after the wait: for the notice
// sent as the program ends, which must be out before the process is gone. Whether it was shown.
bool send(const QString& title, const QString& message,
          std::chrono::milliseconds wait = std::chrono::seconds(2));

} // namespace glossivo::DesktopNotifications
