#pragma once

#include "model/EnumText.h"

namespace glossivo {

enum class FormKind {
    base,
    thirdPerson,
    ing,
    past,
    pastParticiple,
    plural,
    comparative,
    superlative
};

template <> struct EnumNames<FormKind> {
    static constexpr std::array names{"base",        "thirdPerson",    "ing",
                                      "past",        "pastParticiple", "plural",
                                      "comparative", "superlative"};
};

} // namespace glossivo
