#pragma once

#include "model/ModifierKey.h"

#include <QString>

namespace glossivo {

// How menus, settings and reports name a modifier key: by the key a Linux keyboard carries
// ("Alt", "Super", "Ctrl", "Shift"), whatever name the configuration stores for it.
QString modifierKeyLabel(ModifierKey key);

} // namespace glossivo
