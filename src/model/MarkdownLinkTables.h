#pragma once

#include "model/PositionSet.h"

#include <QString>

#include <vector>

namespace glossivo {

// What the inline Markdown reader needs to know ahead of a place in the text to read a link's
// "(address "title")", answered in a few steps wherever it is asked, so that no text makes it
// read the same stretch again for every bracket. Built in one pass over the text; it takes
// about one byte per character.
class MarkdownLinkTables {
public:
    explicit MarkdownLinkTables(const QString& text);

    // The first whitespace or control character at or after i (the text's end when none).
    qsizetype spaceFrom(qsizetype i) const { return m_spaces.next(i); }
    // The first character at or after i that is not whitespace.
    qsizetype nonSpaceFrom(qsizetype i) const { return m_solid.next(i); }
    // The first unescaped quote of that kind at or after i; -1 when none.
    qsizetype quote(QChar kind, qsizetype i) const;
    // The first '<', '>' or line break at or after i; -1 when none.
    qsizetype angleStop(qsizetype i) const;
    // The unescaped ')' at or after i that closes the parentheses opened from i; -1 when none.
    qsizetype closingParen(qsizetype i) const;
    // Whether the unescaped parentheses between from and to are balanced.
    bool balanced(qsizetype from, qsizetype to) const { return depthAt(from) == depthAt(to); }

private:
    // The depth of unescaped parentheses before position i.
    qsizetype depthAt(qsizetype i) const;
    int step(qsizetype i) const;
    // The first block at or after this one where the depth goes below the given one; -1 when none.
    qsizetype firstBlockBelow(qsizetype block, qsizetype depth) const;

    const QString& m_text;
    PositionSet m_escaped, m_spaces, m_solid, m_doubleQuotes, m_singleQuotes, m_angleStops;
    // For each block of 64 characters, the depth at its start; and the least depth after any of
    // its characters, with levels above of the least of 64 entries each.
    std::vector<qsizetype> m_blockDepth;
    std::vector<std::vector<qsizetype>> m_leastDepth;
};

} // namespace glossivo
