#pragma once

#include "sync/SyncBundle.h"

// Joins two sync documents record by record. Pure: the same two documents always give the same
// result, every list comes out in a fixed order, and a merge result merged with itself comes back
// unchanged, so that devices holding the same content hold the same bytes. Where both documents
// hold different copies of one record and no rule tells them apart, the first argument's copy
// wins; a sync pass passes its own data first.
namespace glossivo::SyncMerge {

SyncBundle merge(const SyncBundle& a, const SyncBundle& b);
// The same, told the texts of the documents' words where they are known: a word whose text is
// that of its copy on the other side is that copy, which spares comparing them field by field.
// `mergedTexts`, when given, receives the canonical texts known of the merged words: those of
// the words that come out as a side with canonical texts held them.
SyncBundle mergeWithTexts(const SyncBundle& a, const SyncBundle& b,
                          const SyncBundle::WordTexts& aTexts, const SyncBundle::WordTexts& bTexts,
                          SyncBundle::WordTexts* mergedTexts = nullptr);

} // namespace glossivo::SyncMerge
