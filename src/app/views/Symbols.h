#pragma once

#include <QPixmap>

namespace glossivo {

// The small status pictures of the settings window, drawn in code so that they look the same
// on every desktop and icon theme.
enum class Symbol { checkmark, cross, warning };

QPixmap symbolPixmap(Symbol symbol, int size, qreal devicePixelRatio = 1.0);

} // namespace glossivo
