#pragma once

#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionViewItem>

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

// Paints a list row's rounded selection, inset from the list's sides, when the row is selected;
// says whether it is, which decides the row's text colours.
inline bool paintRowSelection(QPainter& painter, const QStyleOptionViewItem& option)
{
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(option.palette.color(QPalette::Highlight));
        painter.drawRoundedRect(QRectF(option.rect).adjusted(3, 1, -3, -1), 5, 5);
    }
    return selected;
}

} // namespace glossivo::WordBookStyle
