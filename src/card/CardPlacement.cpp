#include "card/CardPlacement.h"

#include <algorithm>

namespace glossivo::CardPlacement {

QRect availableAt(QPoint point, const QList<Screen>& screens)
{
    for (const Screen& screen : screens)
        if (screen.geometry.contains(point)) return screen.available;
    return screens.isEmpty() ? QRect() : screens.first().available;
}

QRect place(QPoint pointer, QSize card, const QRect& available)
{
    const int w = card.width();
    const int h = card.height();
    // QRect's right() and bottom() are one short of the edge.
    const int left = available.x();
    const int top = available.y();
    const int right = available.x() + available.width();
    const int bottom = available.y() + available.height();

    int x = pointer.x() - kLeftOfPointer;
    int y = pointer.y() + kBelowPointer;
    if (y + h > bottom - kMargin) y = pointer.y() - kBelowPointer - h;

    // A card larger than the area keeps its right edge and its top edge (with the title) inside.
    x = std::min(std::max(x, left + kMargin), right - w - kMargin);
    y = std::max(std::min(y, bottom - h - kMargin), top + kMargin);
    return QRect(x, y, w, h);
}

} // namespace glossivo::CardPlacement
