#pragma once

#include "model/TextRange.h"

#include <QString>

#include <optional>

namespace glossivo::ContextWindow {

// The selection with up to `margin` UTF-16 units of the value on each side. None when the range
// does not lie inside the value (a stale or bogus range from another application), or when the
// window is empty. Neither end is moved to a word boundary, but no surrogate pair is cut.
std::optional<QString> around(const QString& value, TextRange selection, qint64 margin = 300);

} // namespace glossivo::ContextWindow
