#pragma once

#include "model/Rating.h"
#include "review/ReviewQuestion.h"

#include <optional>

namespace glossivo {

// The verdict on a typed spelling answer: again, hard or good (never easy), with a short
// Chinese message for the learner when there is something to say.
struct SpellingGrade {
    Rating rating = Rating::again;
    std::optional<QString> message;

    bool operator==(const SpellingGrade&) const = default;

    // Near misses (one letter off, two neighbours crossed, the base form where another form was
    // asked) and answers that needed letter hints are hard. Lengths count characters.
    static SpellingGrade of(const QString& typed, const ReviewQuestion& question, int hintsUsed);

    // The typed text after one more letter hint: the correct beginning followed by the next
    // letter of the answer in its own case; none when the whole answer is typed already.
    static std::optional<QString> withNextLetter(const QString& typed, const QString& answer);
};

} // namespace glossivo
