#pragma once

#include "sync/SyncBundle.h"

#include <QList>

namespace glossivo {

// The fixed documents of the merge self-test: one word book edited on a computer and on a
// phone, whose merge exercises every merge rule once, and four learning words for the slot trim.
// All dates are noon UTC of a day in October 2026.
namespace MergeSamples {

QUuid id(const char* suffix);

SyncBundle computer();
SyncBundle phone();
// alpha, beta, gamma, delta.
QList<WordEntry> slotTrimWords();

} // namespace MergeSamples
} // namespace glossivo
