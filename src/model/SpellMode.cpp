#include "model/SpellMode.h"

#include <algorithm>
#include <array>

namespace glossivo {

SpellMode spellModeForLevel(int level)
{
    return static_cast<SpellMode>(std::clamp(level, 0, 4));
}

QString spellModeName(SpellMode mode)
{
    static constexpr std::array names{"看一眼再写", "补字母", "按块拼", "完整拼写", "听写"};
    return QString::fromUtf8(names[static_cast<std::size_t>(mode)]);
}

} // namespace glossivo
