#include "model/FSRS.h"

#include "model/Saturating.h"

#include <algorithm>
#include <cmath>

namespace glossivo::FSRS {

namespace {

constexpr double kSecondsPerDay = 86400;
constexpr double kMinimumDifficulty = 1;
constexpr double kMaximumDifficulty = 10;
constexpr int kTopLevel = 6;
constexpr double kReferenceRetention = 0.9;

double initialDifficulty(int grade)
{
    return w[4] - std::exp(w[5] * (grade - 1)) + 1;
}

double clampedDifficulty(double difficulty)
{
    return std::clamp(difficulty, kMinimumDifficulty, kMaximumDifficulty);
}

double usableDifficulty(double difficulty)
{
    return std::isfinite(difficulty) ? clampedDifficulty(difficulty)
                                     : clampedDifficulty(initialDifficulty(gradeOf(Rating::good)));
}

QDateTime dueAfter(const QDateTime& now, Rating rating, double stability, double retention)
{
    if (rating == Rating::again) return now.addSecs(relearnSeconds);
    const double days =
        std::clamp(interval(stability, retention), minimumIntervalDays, maximumIntervalDays);
    // Whole seconds, as the documents store it, so that memory and file agree.
    return now.addSecs(std::llround(days * kSecondsPerDay));
}

ReviewState firstReview(Rating rating, const QDateTime& now, double retention)
{
    const int grade = gradeOf(rating);
    ReviewState state;
    state.stability = w[static_cast<std::size_t>(grade - 1)];
    state.difficulty = clampedDifficulty(initialDifficulty(grade));
    state.due = dueAfter(now, rating, state.stability, retention);
    state.lastReview = now;
    state.reps = 1;
    state.lapses = rating == Rating::again ? 1 : 0;
    state.level = rating == Rating::again ? 0 : 1;
    return state;
}

double sameDayStability(double stability, int grade)
{
    return std::max(stabilityFloor, stability * std::exp(w[17] * (grade - 3 + w[18])));
}

double lapseStability(double stability, double difficulty, double recall)
{
    const double forgotten = w[11] * std::pow(difficulty, -w[12]) *
                             (std::pow(stability + 1, w[13]) - 1) * std::exp(w[14] * (1 - recall));
    return std::max(stabilityFloor, std::min(stability, forgotten));
}

double recalledStability(double stability, double difficulty, double recall, Rating rating)
{
    const double hardPenalty = rating == Rating::hard ? w[15] : 1;
    const double easyBonus = rating == Rating::easy ? w[16] : 1;
    const double growth = std::exp(w[8]) * (11 - difficulty) * std::pow(stability, -w[9]) *
                          (std::exp(w[10] * (1 - recall)) - 1) * hardPenalty * easyBonus;
    return std::max(stabilityFloor, stability * (1 + growth));
}

double nextDifficulty(double difficulty, int grade)
{
    const double step = -w[6] * (grade - 3);
    const double moved = difficulty + step * (10 - difficulty) / 9;
    const double reverted = w[7] * initialDifficulty(gradeOf(Rating::easy)) + (1 - w[7]) * moved;
    return clampedDifficulty(reverted);
}

int nextLevel(int level, Rating rating)
{
    level = std::clamp(level, 0, kTopLevel);
    switch (rating) {
    case Rating::again:
        return std::max(0, level - 1);
    case Rating::hard:
        return level;
    case Rating::good:
        return std::min(kTopLevel, level + 1);
    case Rating::easy:
        return std::min(kTopLevel, level + 2);
    }
    return level;
}

} // namespace

double usableStability(double stability)
{
    return std::isfinite(stability) && stability > 0 ? stability : stabilityFloor;
}

double usableRetention(double retention)
{
    return retention > 0 && retention < 1 ? retention : kReferenceRetention;
}

double retrievability(double elapsedDays, double stability)
{
    return std::pow(1 + factor * std::max(0.0, elapsedDays) / usableStability(stability), decay);
}

double interval(double stability, double retention)
{
    return usableStability(stability) / factor *
           (std::pow(usableRetention(retention), 1 / decay) - 1);
}

double elapsedDays(const QDateTime& from, const QDateTime& to)
{
    return std::max(0.0, static_cast<double>(from.msecsTo(to)) / (kSecondsPerDay * 1000));
}

ReviewState review(const std::optional<ReviewState>& state, Rating rating, const QDateTime& now,
                   double retention)
{
    if (!state) return firstReview(rating, now, retention);
    const int grade = gradeOf(rating);
    const double stability = usableStability(state->stability);
    const double difficulty = usableDifficulty(state->difficulty);
    const double days = elapsedDays(state->lastReview, now);
    const double recall = retrievability(days, stability);

    ReviewState next;
    if (days < 1)
        next.stability = sameDayStability(stability, grade);
    else if (rating == Rating::again)
        next.stability = lapseStability(stability, difficulty, recall);
    else
        next.stability = recalledStability(stability, difficulty, recall, rating);
    next.difficulty = nextDifficulty(difficulty, grade);
    next.due = dueAfter(now, rating, next.stability, retention);
    next.lastReview = now;
    next.reps = incremented(state->reps);
    next.lapses = rating == Rating::again ? incremented(state->lapses) : state->lapses;
    next.level = nextLevel(state->level, rating);
    return next;
}

} // namespace glossivo::FSRS
