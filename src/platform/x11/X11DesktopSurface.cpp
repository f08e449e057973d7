#include "platform/x11/X11DesktopSurface.h"

#include "platform/qt/QtScreens.h"
#include "platform/x11/X11Compositing.h"

namespace glossivo {

bool X11DesktopSurface::compositing() const
{
    return X11Compositing::isActive();
}

QPixmap X11DesktopSurface::picture(const QRect& frame) const
{
    return QtScreens::desktopPicture(frame);
}

} // namespace glossivo
