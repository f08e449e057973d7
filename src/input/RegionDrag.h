#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace glossivo {

// The rectangle the user drags on the region overlay, in the overlay's own coordinates, and
// the overlay's layout. Pure: the overlay widget feeds it the mouse and paints what it says.
class RegionDrag {
public:
    void press(QPoint at);
    void move(QPoint at);
    // The dragged rectangle when it is wide and tall enough to hold text (more than 12 by
    // more than 8), else nothing; a release without a press gives nothing either.
    std::optional<QRect> release(QPoint at);

    // What to draw now: the rectangle between the press and the latest position.
    std::optional<QRect> selection() const;

    // Between any two corners, whichever way the drag went.
    static QRect between(QPoint a, QPoint b);
    static bool isLargeEnough(const QRect& rect);

    // One overlay covers every screen: the smallest rectangle holding all their frames.
    static QRect overlayFrame(const QList<QRect>& screens);
    // The hint's rounded background on one screen (`screen` in overlay coordinates): centred,
    // its lower edge 90 below the screen's top, 12 wider than the text on each side and 6
    // taller above and below.
    static QRect hintFrame(const QRect& screen, QSize text);

private:
    std::optional<QPoint> m_start;
    std::optional<QPoint> m_current;
};

} // namespace glossivo
