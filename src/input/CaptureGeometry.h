#pragma once

#include "input/ScreenArea.h"

#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <Qt>

#include <optional>

namespace glossivo {

// Where a capture lies and how its normalized boxes map back to the desktop. Global
// coordinates as in ScreenOCR; `local` rectangles count from the screen's top-left corner.
namespace CaptureGeometry {

struct Capture {
    ScreenArea screen;
    QRect local;
    // The sides where the strip's own edge lies and may cut through text; a side moved in to
    // the screen's or a window's edge cuts nothing.
    Qt::Edges cuts = {};
    QRect global() const { return local.translated(screen.frame.topLeft()); }
    bool operator==(const Capture&) const = default;
};

// The first screen whose frame holds the point.
std::optional<ScreenArea> screenAt(const QList<ScreenArea>& screens, QPointF point);

// The 760 x 200 strip centred on the pointer, clipped to the pointer's screen; nothing when no
// screen holds the pointer or a side of the clipped strip is 20 or less.
std::optional<Capture> stripAround(const QList<ScreenArea>& screens, QPoint point);

// The strip around `point` moved to lie inside a window's area (global) as far as the area
// allows, then clipped to it (`strip` gives the screen, as stripAround made it): a pointer near
// the window's side still gets the rest of its line, and the title bar above and whatever lies
// beside the window stay out. A side on the area's or the screen's edge cuts nothing. Nothing
// when too little remains.
std::optional<Capture> stripWithin(const Capture& strip, QPoint point, const QRect& area);

// The capture clipped to a window's area (global), so that the title bar above and whatever
// lies beside the window stay out; nothing when too little of it remains.
std::optional<Capture> within(const Capture& capture, const QRect& area);

// A dragged rectangle clipped to the screen that holds its middle; nothing when no screen does
// or a side of the clipped rectangle is 8 or less.
std::optional<Capture> region(const QList<ScreenArea>& screens, const QRect& rect);

// The capture's rectangle (global) reaching a little further out at its left and right sides
// where they cut, as far as the screen allows: what lies just beyond a side tells whether the
// side cut a word.
QRect beyondSides(const Capture& capture);

// A global point as normalized image coordinates of the capture (origin bottom left, y up).
QPointF normalized(const Capture& capture, QPoint point);

// A normalized box of the capture back in global coordinates.
QRectF toGlobal(const Capture& capture, const QRectF& box);

} // namespace CaptureGeometry
} // namespace glossivo
