#pragma once

#include <QRect>

#include <functional>

namespace glossivo {

// Lets the user drag a rectangle over the screen: the region overlay, seen from the triggers.
class RegionChooser {
public:
    using OnSelect = std::function<void(QRect)>;

    virtual ~RegionChooser() = default;
    // Opens the overlay; `onSelect` gets the dragged rectangle in global coordinates and is
    // never called for a cancelled or too small drag.
    virtual void begin(OnSelect onSelect) = 0;
    // Whether the overlay is open (no other trigger acts meanwhile).
    virtual bool isShowing() const = 0;
};

} // namespace glossivo
