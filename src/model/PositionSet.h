#pragma once

#include <QtGlobal>

#include <vector>

namespace glossivo {

// Some positions of a text (those holding one kind of character), answering "the first one at
// or after here" in a few steps wherever it is asked: a bit per position, and above them levels
// of bits that each tell whether a word of the level below holds any. It takes about one bit
// per position of the text.
class PositionSet {
public:
    // Positions 0 to size - 1, none of them in the set.
    explicit PositionSet(qsizetype size);

    void insert(qsizetype position);
    bool contains(qsizetype position) const;
    // The first position of the set at or after this one; the size when there is none.
    qsizetype next(qsizetype position) const;

private:
    qsizetype m_size;
    std::vector<std::vector<quint64>> m_levels;
};

} // namespace glossivo
