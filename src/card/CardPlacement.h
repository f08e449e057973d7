#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace glossivo {

// Where the card goes: below and a little left of the pointer, above it when there is no room
// below, and always 8 pixels inside the usable area of the pointer's screen. Desktop
// coordinates, y growing downwards.
namespace CardPlacement {

struct Screen {
    QRect geometry;  // the whole screen
    QRect available; // without panels and docks
};

constexpr int kLeftOfPointer = 24;
constexpr int kBelowPointer = 18;
constexpr int kMargin = 8;

// The usable area of the first screen holding the point, else of the primary screen (the first
// in the list); an empty rectangle without screens.
QRect availableAt(QPoint point, const QList<Screen>& screens);

// The card's frame. When the card is larger than the area, its top and right edges keep the
// margin and the rest runs off.
QRect place(QPoint pointer, QSize card, const QRect& available);

} // namespace CardPlacement
} // namespace glossivo
