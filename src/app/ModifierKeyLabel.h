#pragma once

#include "model/ModifierKey.h"

#include <QString>

namespace glossivo {

// How menus, settings and reports name a modifier key ("⌥ Option"); the labels keep the names
// that users of the other editions know, whatever key stands for them here.
QString modifierKeyLabel(ModifierKey key);

} // namespace glossivo
