#pragma once

#include <QColor>
#include <QPalette>

namespace glossivo {

// The named accent colours of the interface, in a light and a dark variant picked by the
// lightness of the palette's window colour.
enum class SystemColor { blue, green, orange, purple, red, teal, indigo, yellow };

QColor systemColor(SystemColor color, const QPalette& palette);
bool isDark(const QPalette& palette);

} // namespace glossivo
