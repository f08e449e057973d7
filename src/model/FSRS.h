#pragma once

#include "model/Rating.h"
#include "model/ReviewState.h"

#include <QDateTime>

#include <array>
#include <optional>

namespace glossivo {

// The FSRS-5 scheduler with its published default weights, plus this program's own choices:
// a ten-minute relearning delay, intervals of one to 365 days, a stability floor of 0.1 days
// and a coarse level from 0 to 6. Pure: it reads and writes nothing.
namespace FSRS {

inline constexpr std::array<double, 19> w{
    0.40255, 1.18385, 3.173, 15.69105, 7.1949, 0.5345, 1.4604, 0.0046,  1.54575, 0.1192,
    1.01925, 1.9395,  0.11,  0.29605,  2.2698, 0.2315, 2.9898, 0.51655, 0.6621};

inline constexpr double decay = -0.5;
inline constexpr double factor = 19.0 / 81.0;
inline constexpr int relearnSeconds = 600;
inline constexpr double minimumIntervalDays = 1;
inline constexpr double maximumIntervalDays = 365;
inline constexpr double stabilityFloor = 0.1;

// Stored states and retentions come from files and peers: anything the formulas cannot work
// with is replaced before use, so no review ever yields NaN or loops.
double usableStability(double stability);
double usableRetention(double retention);

// Chance of recall after the given days at the given stability.
double retrievability(double elapsedDays, double stability);
// Days from the last review to the due time at the given retention, before clamping.
double interval(double stability, double retention);
// Fractional days from one time to the next; a clock that went backwards gives 0.
double elapsedDays(const QDateTime& from, const QDateTime& to);

// The complete new state after one answer. state is absent before the first review.
ReviewState review(const std::optional<ReviewState>& state, Rating rating, const QDateTime& now,
                   double retention);

} // namespace FSRS
} // namespace glossivo
