#pragma once

#include "model/EnumText.h"

namespace glossivo {

enum class Register { formal, neutral, casual, slang, technical };

template <> struct EnumNames<Register> {
    static constexpr std::array names{"formal", "neutral", "casual", "slang", "technical"};
};

} // namespace glossivo
