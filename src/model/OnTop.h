#pragma once

#include "model/AINote.h"
#include "model/AffixEncounter.h"
#include "model/GrammarEncounter.h"
#include "model/ReviewStats.h"
#include "model/Tombstone.h"
#include "model/WordEntry.h"

#include <QHash>
#include <QList>
#include <QUuid>

#include <optional>

// A change that waited for its turn at the word book, put on top of what other processes wrote
// meanwhile, as if it had been made on what is on disk now. Three versions of a document take
// part: the one this process last read or wrote (the base), its own (ours: the base with the
// waiting changes) and the one on disk now (theirs: the base with the other processes' turns).
// - A field or record that only one side changed keeps that side's value.
// - Counts add: each side's count over the base counts ("lookupCount", "reviewed",
//   "newLearned").
// - A record that either side removed stays removed, however the other changed it.
// - Where both changed the same field, the waiting change wins; a word's review state is one
//   field, so that its numbers always come from one review.
// - Lists of records (words, examples, notes) and of texts (days, sources) take each side's
//   additions and removals; an added record stands after the one it followed on its side.
// - A word that both sides saved anew under one headword is kept once, as the one on disk,
//   with what ours adds to it (its examples, notes, counts, fields the disk's lacks). A sentence
//   or an encounter that both sides recorded anew is kept once too, as a save keeps it.
// - A tombstone stands once per id, with the earliest deletion, as sync keeps it.
namespace glossivo::OnTop {

// Record ids of ours that were folded into a record of theirs -> the id kept.
using Folds = QHash<QUuid, QUuid>;

QList<WordEntry> words(const QList<WordEntry>& base, const QList<WordEntry>& ours,
                       const QList<WordEntry>& theirs, Folds& folds);
QList<AINote> notes(const QList<AINote>& base, const QList<AINote>& ours,
                    const QList<AINote>& theirs);
QList<GrammarEncounter> grammar(const QList<GrammarEncounter>& base,
                                const QList<GrammarEncounter>& ours,
                                const QList<GrammarEncounter>& theirs, Folds& folds);
QList<AffixEncounter> affixes(const QList<AffixEncounter>& base, const QList<AffixEncounter>& ours,
                              const QList<AffixEncounter>& theirs, Folds& folds);
QList<Tombstone> deleted(const QList<Tombstone>& base, const QList<Tombstone>& ours,
                         const QList<Tombstone>& theirs);
// One day's counters: the later day's whole when the two sides count different days; a base of
// another day counts as nothing.
ReviewStats stats(const std::optional<ReviewStats>& base, const ReviewStats& ours,
                  const ReviewStats& theirs);

} // namespace glossivo::OnTop
