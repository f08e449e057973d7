#pragma once

#include "model/EnumText.h"

namespace glossivo {

// A review answer. The integer values are the FSRS grades.
enum class Rating { again = 1, hard = 2, good = 3, easy = 4 };

inline int gradeOf(Rating rating)
{
    return static_cast<int>(rating);
}

// The name written into the learning log.
inline QString ratingName(Rating rating)
{
    static constexpr std::array names{"again", "hard", "good", "easy"};
    return QString::fromLatin1(names[static_cast<std::size_t>(gradeOf(rating) - 1)]);
}

} // namespace glossivo
