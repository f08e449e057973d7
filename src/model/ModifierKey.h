#pragma once

#include "model/EnumText.h"

namespace glossivo {

// option is Alt and command is the logo (Super) key on Linux keyboards; the stored names stay.
enum class ModifierKey { option, command, control, shift };

template <> struct EnumNames<ModifierKey> {
    static constexpr std::array names{"option", "command", "control", "shift"};
};

} // namespace glossivo
