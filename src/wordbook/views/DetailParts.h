#pragma once

#include "ui/Glyphs.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <functional>

class QBoxLayout;
class QScrollArea;
class QVBoxLayout;

namespace glossivo {

class PlainLabel;

// The pieces the detail panes of the word-book window share.
namespace DetailParts {

// The frame of every pane: a vertical scroll view with its bar shown, holding one stack with
// spacing 14, padded 20, full width, content on the leading edge. The stack is returned in
// `stack`.
QScrollArea* scrollingPane(QWidget* parent, QVBoxLayout*& stack);

// Plain text (never markup) at a pixel size and weight, in a colour.
PlainLabel* text(const QString& text, qreal size, QFont::Weight weight, const QColor& colour,
                 QWidget* parent);

// A symbol and a text in one colour: "还没解锁" with a lock, "遇到 3 次" with a seal.
QWidget* iconText(Glyph glyph, const QString& text, const QColor& colour, qreal size,
                  QWidget* parent);

// Scrolls the pane to `position` once its content has laid out that far (it grows as its batches
// and their text lay out); the reader's own scrolling, or a second, wins.
void scrollTo(QScrollArea* pane, int position);

// A faint line across the pane between its groups.
QWidget* divider(QWidget* parent);

// A rounded card of radius 8 filled with `tint` at `opacity`, padded `padding`, holding a
// leading-aligned stack with `spacing`, returned in `stack`.
QWidget* card(const QColor& tint, qreal opacity, int padding, int spacing, QWidget* parent,
              QVBoxLayout*& stack);

// Adds `count` cards made by `make` to the pane's stack, a batch at a time: the first at once,
// each further one as the reader scrolls near the end, so a point met in thousands of sentences
// opens as fast as one met twice. Batches of `batch` cards: a pane whose cards sit below a tall
// header needs fewer to fill its first screen.
void addCards(QScrollArea* pane, QVBoxLayout* stack, qsizetype count,
              const std::function<QWidget*(qsizetype index, QWidget* parent)>& make,
              qsizetype batch = 40);

} // namespace DetailParts
} // namespace glossivo
