#pragma once

#include "model/TextRange.h"

#include <QString>

#include <optional>

namespace glossivo {

// What the accessibility interface tells about the focused text object. `value` may be only the
// part of a long text around the selection; `selection` and `caret` are then counted from the
// start of that part, in UTF-16 units.
struct AccessibleSelection {
    QString text;
    std::optional<QString> value = std::nullopt;
    std::optional<TextRange> selection = std::nullopt;
    std::optional<qint64> caret = std::nullopt;
    // The focused object is a password field: nothing of it may be read, by any way.
    bool secret = false;
};

} // namespace glossivo
