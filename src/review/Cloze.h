#pragma once

#include "model/WordEntry.h"

#include <optional>

namespace glossivo {

// A sentence with one form of its word blanked out, for the hardest written spelling level.
struct Cloze {
    QString sentence; // the blank written as underscores, at least four
    QString answer;   // the form as the sentence writes it, capitals kept

    bool operator==(const Cloze&) const = default;

    // Tries the word's forms and headword longest first, as whole words in any case; none when
    // no form occurs in the sentence.
    static std::optional<Cloze> find(const QString& sentence, const WordEntry& entry);
};

} // namespace glossivo
