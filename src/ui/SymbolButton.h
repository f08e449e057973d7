#pragma once

#include "ui/Glyphs.h"

class QToolButton;
class QWidget;

namespace glossivo {

// A borderless button that is only a symbol, with its tooltip as its accessible name. It takes
// no keyboard focus, so a click leaves the focus where the user was typing.
QToolButton* symbolButton(Glyph glyph, const QColor& colour, int size, const QString& tip,
                          QWidget* parent);

} // namespace glossivo
