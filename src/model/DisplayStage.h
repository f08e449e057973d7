#pragma once

#include "model/EnumText.h"

namespace glossivo {

// The stage shown for a word: the stored stage, with a seen word that has not been met for a
// long time shown as dormant. Never stored.
enum class DisplayStage { learning, seen, resting, mastered, dormant };

template <> struct EnumNames<DisplayStage> {
    static constexpr std::array names{"learning", "seen", "resting", "mastered", "dormant"};
};

} // namespace glossivo
