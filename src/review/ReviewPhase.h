#pragma once

#include "model/Rating.h"

#include <QString>

#include <optional>

namespace glossivo {

// Where the current question of a round stands.
struct ReviewPhase {
    enum class Kind {
        asking,   // waiting for an answer
        revealed, // the answer is on screen
        finished, // past the last question
        empty,    // no round begun, or a round without questions
    };

    Kind kind = Kind::empty;
    // Revealed only. Not typed, with no rating: a recognition answer waiting for its rating.
    // Typed: graded (spelling, with the grading message) or rated with a graduation or leech
    // to show (recognition, no message).
    bool typed = false;
    std::optional<Rating> rating;
    std::optional<QString> message;

    static ReviewPhase asking() { return {Kind::asking, false, std::nullopt, std::nullopt}; }
    static ReviewPhase finished() { return {Kind::finished, false, std::nullopt, std::nullopt}; }
    static ReviewPhase empty() { return {Kind::empty, false, std::nullopt, std::nullopt}; }
    static ReviewPhase revealed(bool typed, std::optional<Rating> rating,
                                std::optional<QString> message)
    {
        return {Kind::revealed, typed, rating, std::move(message)};
    }

    bool isRevealed() const { return kind == Kind::revealed; }
    bool operator==(const ReviewPhase&) const = default;
};

} // namespace glossivo
