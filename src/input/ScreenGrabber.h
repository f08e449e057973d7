#pragma once

#include "input/GrayImage.h"
#include "input/ScreenArea.h"

#include <QRect>

#include <optional>
#include <stdexcept>

namespace glossivo {

// A capture that the window system refused.
class ScreenCaptureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Photographs a part of the screen without this program's own windows and without the cursor.
class ScreenGrabber {
public:
    virtual ~ScreenGrabber() = default;
    // `rect` in global coordinates, lying on `screen`; the picture has its device pixels, the
    // rectangle's size times the screen's scale, truncated, and carries that scale. Nothing
    // when there is no screen to read; throws ScreenCaptureError when the window system fails.
    virtual std::optional<GrayImage> capture(const QRect& rect, const ScreenArea& screen) = 0;
    // The part of the screen where the window under `point` (on `screen`) shows its content,
    // without the window manager's frame and title bar, global; nothing over the bare desktop
    // or over this program's own windows.
    virtual std::optional<QRect> windowAreaAt(QPoint point, const ScreenArea& screen) = 0;
};

} // namespace glossivo
