#include "app/ModifierKeyLabel.h"

namespace glossivo {

QString modifierKeyLabel(ModifierKey key)
{
    switch (key) {
    case ModifierKey::option:
        return QStringLiteral("⌥ Option");
    case ModifierKey::command:
        return QStringLiteral("⌘ Command");
    case ModifierKey::control:
        return QStringLiteral("⌃ Control");
    case ModifierKey::shift:
        return QStringLiteral("⇧ Shift");
    }
    return {};
}

} // namespace glossivo
