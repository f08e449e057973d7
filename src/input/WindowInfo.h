#pragma once

#include <QString>

namespace glossivo {

// A top-level window of some application, as the window system describes it.
struct WindowInfo {
    quint64 id = 0;
    // The class part of WM_CLASS (the instance part when the class is empty): the application's
    // identity, listed in excludedBundleIDs, and the name a page source records.
    QString appId;
    // _NET_WM_NAME, else WM_NAME; empty when the window has none.
    QString title;
    // _NET_WM_PID; 0 when unknown.
    qint64 pid = 0;
};

} // namespace glossivo
