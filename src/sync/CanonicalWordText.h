#pragma once

#include "model/WordEntry.h"

#include <QByteArray>

namespace glossivo::CanonicalWordText {

// The word's canonical text, byte for byte CanonicalJson::write(word.toJson()), written straight
// from its fields: the first sync pass after start meets every word of a book of tens of
// thousands, and building a QJsonObject for each was most of that pass. A word always has one:
// its only numbers that JSON could not hold, a review's, are written as 0 as toJson() does.
QByteArray of(const WordEntry& word);

} // namespace glossivo::CanonicalWordText
