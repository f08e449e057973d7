#pragma once

#include <QPixmap>
#include <QRect>

namespace glossivo {

// What the windows need to know of the desktop they are drawn on: whether translucent windows
// show what lies under them, and what the screens show now (for a backdrop where they do not).
class DesktopSurface {
public:
    virtual ~DesktopSurface() = default;
    // A compositing manager blends translucent windows with the windows under them.
    virtual bool compositing() const = 0;
    // The desktop as it is now within `frame` (global coordinates), every screen in its place.
    virtual QPixmap picture(const QRect& frame) const = 0;
};

} // namespace glossivo
