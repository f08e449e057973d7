#pragma once

#include "card/CardPlacement.h"

#include <QList>
#include <QRect>
#include <QSize>

namespace glossivo {

// The card's window as the controller sees it: it measures the card, knows the screens and
// shows itself without taking the keyboard from the application being read.
class CardSurface {
public:
    virtual ~CardSurface() = default;

    // The card's natural size for what it shows now; empty while it has nothing to show.
    virtual QSize fittingSize() = 0;
    // The screens in the system's order, the primary one first.
    virtual QList<CardPlacement::Screen> screens() const = 0;
    virtual void setFrame(const QRect& frame) = 0;
    virtual void orderFront() = 0;
    virtual void orderOut() = 0;
};

} // namespace glossivo
