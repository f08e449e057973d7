#pragma once

#include <QColor>
#include <QPalette>

namespace glossivo::WordBookStyle {

// The text styles of the word-book window, in device-independent pixels.
constexpr qreal kCaption2 = 10;
constexpr qreal kCaption = 11;
constexpr qreal kCallout = 12;
constexpr qreal kHeadline = 13;
constexpr qreal kBody = 13;
constexpr qreal kTitle3 = 15;

// Lesser information: the secondary text colour, and a fainter one below it.
inline QColor secondary(const QPalette& palette)
{
    return palette.color(QPalette::PlaceholderText);
}

inline QColor tertiary(const QPalette& palette)
{
    QColor colour = palette.color(QPalette::WindowText);
    colour.setAlphaF(0.35);
    return colour;
}

} // namespace glossivo::WordBookStyle
