#pragma once

#include "input/GrayImage.h"

#include <QList>

#include <optional>

namespace glossivo {

// Where the lines of text lie in a picture, found from its rows alone before any recognition:
// a row holds ink when a few of its pixels stand out from the row's most common grey, so dark
// and light text, a coloured page and a highlight all count.
namespace TextRows {

struct Band {
    int top = 0;    // first row with ink
    int bottom = 0; // last row with ink
    int height() const { return bottom - top + 1; }
    bool operator==(const Band&) const = default;
};

// The runs of inked rows from the top; a blank row inside a line (between an i and its dot,
// three at twice the pixels) does not split it.
QList<Band> find(const GrayImage& image);

// Grey levels from the ground at which a pixel is ink.
constexpr int kInkContrast = 48;

// The most common grey of the rows `band`: the page behind their text.
int ground(const GrayImage& image, Band band);

// Which columns of the rows `band` hold ink: a pixel stands out from the band's most common
// grey. Empty for an empty picture.
QList<bool> inkColumns(const GrayImage& image, Band band);

// The rows holding the line at `row` (or the nearest one) and every line whose middle lies
// within `reach` of its heights, with a margin of a few pixels at 96 dpi, `scale` times as many
// in the bands' picture; nothing when the picture holds no ink.
std::optional<Band> around(const QList<Band>& bands, int row, double reach, double scale = 1.0);

} // namespace TextRows
} // namespace glossivo
