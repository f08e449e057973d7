#pragma once

#include "model/WordEntry.h"

namespace glossivo::SelfTest {

// A word that exists only in memory, saved now with one example sentence; the self-tests add
// what each of them needs on top.
WordEntry sampleWord(const QString& headword, const QString& sentence);

} // namespace glossivo::SelfTest
