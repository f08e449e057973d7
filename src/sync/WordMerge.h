#pragma once

#include "model/WordEntry.h"
#include "sync/MergeLists.h"
#include "sync/SyncBundle.h"

#include <QByteArrayList>

#include <optional>

// The word list's part of the document merge. Not for use outside src/sync: other parts call
// SyncMerge::merge().
namespace glossivo::SyncMerge {

// Joins copies of one word (same id) and then words saved separately under one headword
// (compared without surrounding blanks and letter case); newest createdAt first. The texts of
// a list's words, when there is one for each, tell equal words apart from the rest without
// comparing them: two copies of a word read from the same text are the same.
// `mergedTexts`, when given, receives the canonical text of each merged word that came out as
// a list with canonical texts held it, and an empty one for the others.
QList<WordEntry> mergeWords(const QList<WordEntry>& a, const QList<WordEntry>& b,
                            const DeadIds& dead, const SyncBundle::WordTexts& aTexts = {},
                            const SyncBundle::WordTexts& bTexts = {},
                            QByteArrayList* mergedTexts = nullptr);

// One entry from two versions of a word, field by field. The earlier-created entry is the base
// (equal: the smaller id, then `x`); its identity and texts win unless a text is empty.
WordEntry mergeEntry(const WordEntry& x, const WordEntry& y, const DeadIds& dead);
// The same without the shortcut for a word that is alike on both sides.
WordEntry mergeFields(const WordEntry& x, const WordEntry& y, const DeadIds& dead);
// Whether the word's lists are as a merge leaves them (its examples and notes in date order
// without dead or repeated ones, one form per kind, its days in order), so that the word merged
// with itself is the word.
bool isSettled(const WordEntry& word, const DeadIds& dead);

// The review state of the later review; equal times: more repetitions, then `x`.
std::optional<ReviewState> later(const std::optional<ReviewState>& x,
                                 const std::optional<ReviewState>& y);

std::optional<QDateTime> maxDate(const std::optional<QDateTime>& x,
                                 const std::optional<QDateTime>& y);

} // namespace glossivo::SyncMerge
