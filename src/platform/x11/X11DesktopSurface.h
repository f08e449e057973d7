#pragma once

#include "platform/DesktopSurface.h"

namespace glossivo {

// The desktop of an X display: compositing as the display's compositing manager says, pictures
// taken from Qt's screens.
class X11DesktopSurface final : public DesktopSurface {
public:
    bool compositing() const override;
    QPixmap picture(const QRect& frame) const override;
};

} // namespace glossivo
