#pragma once

#include "model/WordEntry.h"
#include "review/QuestionType.h"

#include <QUuid>

#include <optional>

namespace glossivo {

// One question of a review round. It keeps a copy of its word as it was when the question was
// built; what must show later changes is read from the word book by the word's id.
struct ReviewQuestion {
    QUuid id; // new for every question, also when a word is asked again
    WordEntry entry;
    QuestionType type = QuestionType::recognize();
    std::optional<QString> sentence; // none when the word has no usable example
    std::optional<QString> sentenceZh;
    QString answer;                       // the headword, or the form a cloze blanked out
    std::optional<QString> clozeSentence; // full spelling with a cloze only
    std::optional<QString> scaffold;      // fill and chunks spelling only

    bool operator==(const ReviewQuestion&) const = default;

    // Recognition of the word in its newest example.
    static ReviewQuestion make(const WordEntry& entry);
    // Spelling at the word's own spelling level.
    static ReviewQuestion spelling(const WordEntry& entry);

    // Which form of the word the answer is, when it is not the headword.
    std::optional<QString> formHint() const;
};

} // namespace glossivo
