#include "input/CaptureGeometry.h"

namespace glossivo::CaptureGeometry {

namespace {

constexpr int kStripWidth = 760;
constexpr int kStripHeight = 200;
constexpr int kMinStripSide = 20;
constexpr int kMinRegionSide = 8;
// Beyond a side that cuts through text: more than the blank between a side and a word that
// tells whether the side cut it.
constexpr int kBeyondSides = 12;
constexpr Qt::Edges allSides = Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge | Qt::BottomEdge;

std::optional<Capture> clipped(const ScreenArea& screen, const QRect& local, int minSide)
{
    const QRect inside = local.intersected(QRect(QPoint(0, 0), screen.frame.size()));
    if (inside.width() <= minSide || inside.height() <= minSide) return std::nullopt;
    return Capture{screen, inside};
}

// Those of `sides` where the clipped rectangle still has the edge of the rectangle it came from.
Qt::Edges sidesKept(const QRect& from, const QRect& clipped, Qt::Edges sides)
{
    Qt::Edges kept;
    if (from.left() == clipped.left()) kept |= Qt::LeftEdge;
    if (from.right() == clipped.right()) kept |= Qt::RightEdge;
    if (from.top() == clipped.top()) kept |= Qt::TopEdge;
    if (from.bottom() == clipped.bottom()) kept |= Qt::BottomEdge;
    return kept & sides;
}

// Where a run of `length` from `start` goes to lie inside [low, high) as far as it can, moved
// no further than it must.
int slid(int start, int length, int low, int high)
{
    if (start < low) return std::max(start, std::min(low, high - length));
    if (start + length > high) return std::min(start, std::max(low, high - length));
    return start;
}

} // namespace

std::optional<ScreenArea> screenAt(const QList<ScreenArea>& screens, QPointF point)
{
    // Frames hold their left and top edges but not their right and bottom ones, so a point on
    // the seam of two screens belongs to exactly one of them.
    for (const ScreenArea& screen : screens) {
        const QRectF frame(screen.frame);
        if (point.x() >= frame.left() && point.x() < frame.right() && point.y() >= frame.top() &&
            point.y() < frame.bottom())
            return screen;
    }
    return std::nullopt;
}

std::optional<Capture> stripAround(const QList<ScreenArea>& screens, QPoint point)
{
    const auto screen = screenAt(screens, point);
    if (!screen) return std::nullopt;
    const QPoint local = point - screen->frame.topLeft();
    const QRect strip(local.x() - kStripWidth / 2, local.y() - kStripHeight / 2, kStripWidth,
                      kStripHeight);
    auto capture = clipped(*screen, strip, kMinStripSide);
    if (capture) capture->cuts = sidesKept(strip, capture->local, allSides);
    return capture;
}

std::optional<Capture> stripWithin(const Capture& strip, QPoint point, const QRect& area)
{
    const QRect room = area.translated(-strip.screen.frame.topLeft())
                           .intersected(QRect(QPoint(0, 0), strip.screen.frame.size()));
    const QPoint local = point - strip.screen.frame.topLeft();
    QRect placed(local.x() - kStripWidth / 2, local.y() - kStripHeight / 2, kStripWidth,
                 kStripHeight);
    placed.moveTo(slid(placed.left(), kStripWidth, room.left(), room.right() + 1),
                  slid(placed.top(), kStripHeight, room.top(), room.bottom() + 1));
    auto inside = clipped(strip.screen, placed.intersected(room), kMinStripSide);
    if (!inside) return inside;
    Qt::Edges cuts;
    if (placed.left() > room.left()) cuts |= Qt::LeftEdge;
    if (placed.right() < room.right()) cuts |= Qt::RightEdge;
    if (placed.top() > room.top()) cuts |= Qt::TopEdge;
    if (placed.bottom() < room.bottom()) cuts |= Qt::BottomEdge;
    inside->cuts = cuts;
    return inside;
}

std::optional<Capture> within(const Capture& capture, const QRect& area)
{
    const QRect local = area.translated(-capture.screen.frame.topLeft());
    auto inside = clipped(capture.screen, capture.local.intersected(local), kMinStripSide);
    if (inside) inside->cuts = sidesKept(capture.local, inside->local, capture.cuts);
    return inside;
}

std::optional<Capture> region(const QList<ScreenArea>& screens, const QRect& rect)
{
    const QPointF middle(rect.x() + rect.width() / 2.0, rect.y() + rect.height() / 2.0);
    const auto screen = screenAt(screens, middle);
    if (!screen) return std::nullopt;
    return clipped(*screen, rect.translated(-screen->frame.topLeft()), kMinRegionSide);
}

QRect beyondSides(const Capture& capture)
{
    const QRect wider =
        capture.global().adjusted(capture.cuts.testFlag(Qt::LeftEdge) ? -kBeyondSides : 0, 0,
                                  capture.cuts.testFlag(Qt::RightEdge) ? kBeyondSides : 0, 0);
    return wider.intersected(capture.screen.frame);
}

QPointF normalized(const Capture& capture, QPoint point)
{
    const QPoint local = point - capture.screen.frame.topLeft() - capture.local.topLeft();
    return {double(local.x()) / capture.local.width(),
            1.0 - double(local.y()) / capture.local.height()};
}

QRectF toGlobal(const Capture& capture, const QRectF& box)
{
    const QRect area = capture.global();
    return {area.x() + box.left() * area.width(), area.y() + (1.0 - box.bottom()) * area.height(),
            box.width() * area.width(), box.height() * area.height()};
}

} // namespace glossivo::CaptureGeometry
