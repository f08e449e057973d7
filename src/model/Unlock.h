#pragma once

#include "model/Affix.h"
#include "model/FormRecord.h"
#include "model/GrammarPoint.h"

#include <QList>
#include <QStringList>

#include <optional>
#include <utility>

namespace glossivo {

// What one save or lookup revealed for the first time. Never stored: it travels from the word
// book to the card.
struct Unlock {
    using Progress = std::pair<int, int>; // (met so far, out of)

    std::optional<FormRecord> newForm;
    std::optional<Progress> formProgress;
    std::optional<GrammarPoint> newGrammar;
    std::optional<Progress> grammarProgress;
    QList<Affix> newAffixes;
    std::optional<Progress> affixProgress;
    QStringList familyMembers;
    std::optional<int> awakenedAfterDays;

    // Nothing to show; progress alone does not count.
    bool isEmpty() const;

    // Compares what is shown and how far the user got; the totals of the progress pairs and
    // the affix progress are not compared.
    bool operator==(const Unlock& other) const;
};

} // namespace glossivo
