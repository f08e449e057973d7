#include "input/RegionDrag.h"

#include <cmath>
#include <cstdlib>

namespace glossivo {

namespace {

constexpr int kMinWidth = 12;
constexpr int kMinHeight = 8;
constexpr int kHintDrop = 90;
constexpr int kHintPadX = 12;
constexpr int kHintPadY = 6;

} // namespace

void RegionDrag::press(QPoint at)
{
    m_start = at;
    m_current = at;
}

void RegionDrag::move(QPoint at)
{
    m_current = at;
}

std::optional<QRect> RegionDrag::release(QPoint at)
{
    m_current = at;
    const auto dragged = selection();
    if (!dragged || !isLargeEnough(*dragged)) return std::nullopt;
    return dragged;
}

std::optional<QRect> RegionDrag::selection() const
{
    if (!m_start || !m_current) return std::nullopt;
    return between(*m_start, *m_current);
}

QRect RegionDrag::between(QPoint a, QPoint b)
{
    return QRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(a.x() - b.x()),
                 std::abs(a.y() - b.y()));
}

bool RegionDrag::isLargeEnough(const QRect& rect)
{
    return rect.width() > kMinWidth && rect.height() > kMinHeight;
}

QRect RegionDrag::overlayFrame(const QList<QRect>& screens)
{
    QRect frame;
    for (const QRect& screen : screens)
        frame |= screen;
    return frame;
}

QRect RegionDrag::hintFrame(const QRect& screen, QSize text)
{
    const int width = text.width() + 2 * kHintPadX;
    const int height = text.height() + 2 * kHintPadY;
    const int left =
        int(std::lround(screen.x() + screen.width() / 2.0 - text.width() / 2.0)) - kHintPadX;
    return QRect(left, screen.y() + kHintDrop - height, width, height);
}

} // namespace glossivo
