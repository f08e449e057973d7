#include "model/TextOrder.h"

#include <algorithm>

namespace glossivo::TextOrder {

namespace {

// Moves the surrogates above the rest of the basic plane, where their code points lie.
char32_t codePointRank(char16_t unit)
{
    if (unit < 0xD800) return unit;
    return unit >= 0xE000 ? unit - 0x800 : unit + 0x2000;
}

} // namespace

bool codePointLess(QStringView left, QStringView right)
{
    const auto [l, r] = std::mismatch(left.begin(), left.end(), right.begin(), right.end());
    if (r == right.end()) return false;
    if (l == left.end()) return true;
    return codePointRank(l->unicode()) < codePointRank(r->unicode());
}

} // namespace glossivo::TextOrder
