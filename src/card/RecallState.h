#pragma once

namespace glossivo {

// The recall check on a word card: a saved word's meaning can be hidden until the user has
// tried to remember it, and the answer then counts as a review.
struct RecallState {
    enum class Step { off, hidden, revealed, done };

    Step step = Step::off;
    bool remembered = false; // the answer; meaningful only when done

    static RecallState off() { return {}; }
    static RecallState hidden() { return {Step::hidden}; }
    static RecallState revealed() { return {Step::revealed}; }
    static RecallState done(bool remembered) { return {Step::done, remembered}; }

    bool operator==(const RecallState& other) const
    {
        return step == other.step && (step != Step::done || remembered == other.remembered);
    }
};

} // namespace glossivo
