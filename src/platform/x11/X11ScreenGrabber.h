#pragma once

#include "input/ScreenGrabber.h"

#include <QList>
#include <QRect>

#include <functional>

typedef struct _XDisplay Display;

namespace glossivo {

// Reads the screen from the X server's root window (XGetImage), on a connection of its own.
// The X server never draws the pointer into what it hands out, so the cursor is not in the
// picture; this program's own windows are painted over with the picture's background.
// The root window counts device pixels; DevicePixels converts at this edge.
class X11ScreenGrabber : public ScreenGrabber {
public:
    // Frames of this program's windows now shown, in global coordinates.
    using OwnWindows = std::function<QList<QRect>()>;

    explicit X11ScreenGrabber(OwnWindows ownWindows);
    ~X11ScreenGrabber() override;
    X11ScreenGrabber(const X11ScreenGrabber&) = delete;
    X11ScreenGrabber& operator=(const X11ScreenGrabber&) = delete;

    // Nothing without an X display (a Wayland session, no DISPLAY).
    std::optional<GrayImage> capture(const QRect& rect, const ScreenArea& screen) override;
    std::optional<QRect> windowAreaAt(QPoint point, const ScreenArea& screen) override;

private:
    Display* display();

    OwnWindows m_ownWindows;
    Display* m_display = nullptr;
    bool m_opened = false;
};

} // namespace glossivo
