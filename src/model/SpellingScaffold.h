#pragma once

#include "model/Affix.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace glossivo {

// Word-building support for the middle spelling levels: syllables, chunks with the catalogue's
// affixes peeled off, and patterns with some letters blanked. All of it counts user-perceived
// characters and keeps the letter case of the word.
namespace SpellingScaffold {

struct Chunk {
    QString text;
    bool isAffix = false;
    bool operator==(const Chunk&) const = default;
};

QStringList syllables(const QString& word);
QList<Chunk> chunks(const QString& word, const QList<Affix>& affixes);
// Every chunk with the longest stem chunk written as underscores, joined by " · "; none for a
// word of fewer than two chunks.
std::optional<QString> chunkPattern(const QString& word, const QList<Affix>& affixes);
// The word with up to `blanks` letters after the first replaced by "_", spread evenly over the
// vowels and the first letters of doubled letters.
QString fillPattern(const QString& word, int blanks);
QStringList spellings(Affix affix);

} // namespace SpellingScaffold
} // namespace glossivo
