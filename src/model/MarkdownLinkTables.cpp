#include "model/MarkdownLinkTables.h"

#include "model/MarkdownCharacters.h"

#include <algorithm>

namespace glossivo {

using MarkdownCharacters::isAsciiPunctuation;
using MarkdownCharacters::isWhitespace;

namespace {

constexpr int kBlockBits = 6; // 64 characters, or 64 entries of the level below

} // namespace

MarkdownLinkTables::MarkdownLinkTables(const QString& text)
    : m_text(text), m_escaped(text.size()), m_spaces(text.size()), m_solid(text.size()),
      m_doubleQuotes(text.size()), m_singleQuotes(text.size()), m_angleStops(text.size())
{
    const qsizetype n = text.size();
    bool escaped = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        escaped = i > 0 && text.at(i - 1) == u'\\' && !escaped && isAsciiPunctuation(c);
        if (escaped) m_escaped.insert(i);
        if (isWhitespace(c) || c < 0x20 || c == 0x7f) m_spaces.insert(i);
        if (!isWhitespace(c)) m_solid.insert(i);
        if (!escaped && c == u'"') m_doubleQuotes.insert(i);
        if (!escaped && c == u'\'') m_singleQuotes.insert(i);
        if (c == u'<' || c == u'>' || c == u'\n' || c == u'\r') m_angleStops.insert(i);
    }

    const qsizetype blocks = (n >> kBlockBits) + 1;
    m_blockDepth.resize(size_t(blocks));
    std::vector<qsizetype> least(static_cast<size_t>(blocks));
    qsizetype depth = 0;
    for (qsizetype block = 0; block < blocks; ++block) {
        m_blockDepth[size_t(block)] = depth;
        qsizetype lowest = depth;
        for (qsizetype i = block << kBlockBits; i < std::min(n, (block + 1) << kBlockBits); ++i) {
            depth += step(i);
            lowest = std::min(lowest, depth);
        }
        least[size_t(block)] = lowest;
    }
    m_leastDepth.push_back(std::move(least));
    while (m_leastDepth.back().size() > 1) {
        const std::vector<qsizetype>& below = m_leastDepth.back();
        std::vector<qsizetype> above((below.size() + 63) >> kBlockBits);
        for (size_t k = 0; k < above.size(); ++k)
            above[k] = *std::min_element(
                below.begin() + qsizetype(k << kBlockBits),
                below.begin() + qsizetype(std::min(below.size(), (k + 1) << kBlockBits)));
        m_leastDepth.push_back(std::move(above));
    }
}

int MarkdownLinkTables::step(qsizetype i) const
{
    if (m_escaped.contains(i)) return 0;
    const QChar c = m_text.at(i);
    return c == u'(' ? 1 : c == u')' ? -1 : 0;
}

qsizetype MarkdownLinkTables::depthAt(qsizetype i) const
{
    const qsizetype block = i >> kBlockBits;
    qsizetype depth = m_blockDepth[size_t(block)];
    for (qsizetype k = block << kBlockBits; k < i; ++k)
        depth += step(k);
    return depth;
}

qsizetype MarkdownLinkTables::quote(QChar kind, qsizetype i) const
{
    const qsizetype found = (kind == u'"' ? m_doubleQuotes : m_singleQuotes).next(i);
    return found < m_text.size() ? found : -1;
}

qsizetype MarkdownLinkTables::angleStop(qsizetype i) const
{
    const qsizetype found = m_angleStops.next(i);
    return found < m_text.size() ? found : -1;
}

qsizetype MarkdownLinkTables::closingParen(qsizetype i) const
{
    // The ')' after which the depth first goes below the depth here: in the rest of this
    // block, or else in the first later block whose least depth is below it.
    const qsizetype n = m_text.size();
    const qsizetype target = depthAt(i);
    const qsizetype blockEnd = std::min(n, ((i >> kBlockBits) + 1) << kBlockBits);
    qsizetype depth = target;
    for (qsizetype k = i; k < blockEnd; ++k) {
        depth += step(k);
        if (depth < target) return k;
    }
    const qsizetype block = blockEnd < n ? firstBlockBelow(blockEnd >> kBlockBits, target) : -1;
    if (block < 0) return -1;
    depth = m_blockDepth[size_t(block)];
    for (qsizetype k = block << kBlockBits; k < n; ++k) {
        depth += step(k);
        if (depth < target) return k;
    }
    return -1;
}

qsizetype MarkdownLinkTables::firstBlockBelow(qsizetype block, qsizetype depth) const
{
    // Up through the levels, each time over the rest of a group of 64 entries, until one holds
    // a lower entry; then down into the group that entry stands for.
    qsizetype index = block;
    size_t level = 0;
    for (;; ++level) {
        if (level == m_leastDepth.size()) return -1;
        const std::vector<qsizetype>& entries = m_leastDepth[level];
        const qsizetype groupEnd =
            std::min(qsizetype(entries.size()), ((index >> kBlockBits) + 1) << kBlockBits);
        while (index < groupEnd && entries[size_t(index)] >= depth)
            ++index;
        if (index < groupEnd) break;
        if (index >= qsizetype(entries.size())) return -1;
        index >>= kBlockBits;
    }
    while (level > 0) {
        --level;
        index <<= kBlockBits;
        while (m_leastDepth[level][size_t(index)] >= depth)
            ++index;
    }
    return index;
}

} // namespace glossivo
