#pragma once

#include "model/AffixEncounter.h"
#include "model/AppConfig.h"
#include "model/DisplayStage.h"
#include "model/GrammarEncounter.h"
#include "model/WordEntry.h"

#include <QDateTime>
#include <QList>

#include <optional>

namespace glossivo::WordSearch {

// The window's one search text as it is matched: blanks (Unicode space separators and the tab,
// not line breaks) trimmed at both ends, then lowercased the same way in every locale.
QString query(const QString& search);

// Positions in `entries`, in stored order, of the words the word list shows: the headword in
// lower case or the meaning as stored contains the query, and the shown stage now equals the
// filter when one is set.
QList<qsizetype> words(const QList<WordEntry>& entries, const QString& search,
                       std::optional<DisplayStage> stage, const AppConfig& config,
                       const QDateTime& now);

// Positions of the point's records whose headword or sentence, lowercased, contains `query`
// (already made by query()); every record of the point for an empty one.
QList<qsizetype> grammarRecords(const QList<GrammarEncounter>& records, GrammarPoint point,
                                const QString& query);
// Positions of the affix's records, in stored order.
QList<qsizetype> affixRecords(const QList<AffixEncounter>& records, Affix affix);

// The number of records of every point (or affix), indexed by its place in the catalogue.
QList<int> countsByPoint(const QList<GrammarEncounter>& records);
QList<int> countsByAffix(const QList<AffixEncounter>& records);

} // namespace glossivo::WordSearch
