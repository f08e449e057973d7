#pragma once

#include <QString>

namespace glossivo::TerminalClasses {

// Whether a window class belongs to a terminal emulator. Ctrl+C there interrupts the program
// running in it instead of copying, so a terminal's selection is read from PRIMARY only.
bool contains(const QString& windowClass);

} // namespace glossivo::TerminalClasses
