#pragma once

#include "app/StatusMenuModel.h"

#include <functional>

class QMenu;

namespace glossivo {

// Puts the menu's lines into a Qt menu. The word block's lines, which need bold stretches and
// several lines of text, are labels that act like items.
void fillStatusMenu(QMenu& menu, const QList<StatusMenuItem>& items,
                    const std::function<void(const StatusMenuItem&)>& trigger);

} // namespace glossivo
