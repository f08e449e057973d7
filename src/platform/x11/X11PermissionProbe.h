#pragma once

#include "platform/PermissionSource.h"

#include <QString>

namespace glossivo {

// Looks at the session once: the extensions of an X server do not change while it runs, so
// the once-a-second refresh of the settings window costs nothing.
class X11PermissionProbe final : public PermissionSource {
public:
    X11PermissionProbe();

    Session session() const override { return m_session; }

    struct Facts {
        QString sessionType;         // XDG_SESSION_TYPE
        bool waylandDisplay = false; // WAYLAND_DISPLAY is set
        bool displayOpened = false;
        bool xinput2 = false;
        bool xtest = false;
    };
    // An X display under a Wayland compositor (XWayland) only sees its own clients, so a
    // Wayland session never counts as X11.
    static Session decide(const Facts& facts);

private:
    Session m_session;
};

} // namespace glossivo
