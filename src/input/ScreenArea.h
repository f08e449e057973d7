#pragma once

#include <QRect>

namespace glossivo {

// One screen of the desktop: its frame in global coordinates and how many device pixels make
// one logical pixel.
struct ScreenArea {
    QRect frame;
    qreal scale = 1.0;
    bool operator==(const ScreenArea&) const = default;
};

} // namespace glossivo
