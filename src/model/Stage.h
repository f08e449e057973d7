#pragma once

#include "model/EnumText.h"

namespace glossivo {

// The stored learning stage of a word; an entry without one counts as seen.
enum class Stage { seen, learning, resting, mastered };

template <> struct EnumNames<Stage> {
    static constexpr std::array names{"seen", "learning", "resting", "mastered"};
};

} // namespace glossivo
