#pragma once

#include "card/RecallState.h"
#include "model/Explanation.h"
#include "model/PageSource.h"
#include "model/Unlock.h"

#include <QString>

#include <optional>

namespace glossivo {

// What a word card shows: the explanation of a selection and where the word book stands on it.
struct WordCardData {
    QString selection; // exactly as the trigger gave it
    Explanation explanation;
    PageSource source; // taken when the lookup started
    // The entry's lookup count; none while the headword is not in the word book.
    std::optional<int> savedLookupCount;
    bool justSaved = false;
    // The last save from this card waits for another Glossivo process's turn to end: the card
    // says so, and shows it saved once it is on disk.
    bool saveWaiting = false;
    // What the card says when the last save from this card could not be written to disk, with
    // the reason, instead of claiming the word is saved; empty for none.
    QString saveFailure;
    std::optional<Unlock> unlock;
    RecallState recall;

    bool operator==(const WordCardData&) const = default;
};

} // namespace glossivo
