#include "model/PositionSet.h"

#include <bit>

namespace glossivo {

PositionSet::PositionSet(qsizetype size) : m_size(size)
{
    qsizetype words = size / 64 + 1;
    m_levels.emplace_back(size_t(words), 0);
    while (words > 1) {
        words = (words + 63) / 64;
        m_levels.emplace_back(size_t(words), 0);
    }
}

void PositionSet::insert(qsizetype position)
{
    qsizetype bit = position;
    for (std::vector<quint64>& level : m_levels) {
        level[size_t(bit >> 6)] |= quint64(1) << (bit & 63);
        bit >>= 6;
    }
}

bool PositionSet::contains(qsizetype position) const
{
    return (m_levels.front()[size_t(position >> 6)] >> (position & 63)) & 1;
}

qsizetype PositionSet::next(qsizetype position) const
{
    if (position >= m_size) return m_size;
    // Up to the first level that has a member in the rest of its word; each level up stands for
    // the words after the one just looked at.
    qsizetype bit = position;
    size_t level = 0;
    for (;; ++level) {
        if (level == m_levels.size()) return m_size;
        const std::vector<quint64>& words = m_levels[level];
        const size_t word = size_t(bit >> 6);
        if (word >= words.size()) return m_size;
        const quint64 rest = words[word] & (~quint64(0) << (bit & 63));
        if (rest) {
            bit = qsizetype(word << 6) + std::countr_zero(rest);
            break;
        }
        bit = qsizetype(word) + 1;
    }
    // Then down, to the first member within the word that bit stands for.
    while (level > 0) {
        --level;
        bit = (bit << 6) + std::countr_zero(m_levels[level][size_t(bit)]);
    }
    return bit;
}

} // namespace glossivo
