#include "app/ModifierKeyLabel.h"

namespace glossivo {

QString modifierKeyLabel(ModifierKey key)
{
    switch (key) {
    case ModifierKey::option:
        return QStringLiteral("Alt");
    case ModifierKey::command:
        return QStringLiteral("Super");
    case ModifierKey::control:
        return QStringLiteral("Ctrl");
    case ModifierKey::shift:
        return QStringLiteral("Shift");
    }
    return {};
}

} // namespace glossivo
