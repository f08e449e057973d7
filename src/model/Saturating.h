#pragma once

#include <limits>

namespace glossivo {

// Counters read from documents may hold any integer; one more must never overflow.
inline int incremented(int value, int by = 1)
{
    constexpr int most = std::numeric_limits<int>::max();
    return value > most - by ? most : value + by;
}

} // namespace glossivo
