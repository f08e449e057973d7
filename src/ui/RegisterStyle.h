#pragma once

#include "model/Register.h"
#include "ui/SystemColors.h"

#include <QString>

#include <optional>

namespace glossivo {

// The label and colour of a word's register, as its badge shows them; none for a neutral word.
struct RegisterStyle {
    QString label;
    SystemColor colour;
};

std::optional<RegisterStyle> registerStyle(Register value);

} // namespace glossivo
