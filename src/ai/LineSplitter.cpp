#include "ai/LineSplitter.h"

namespace glossivo {

void LineSplitter::append(const QByteArray& bytes)
{
    m_buffer.remove(0, m_start);
    m_start = 0;
    m_buffer.append(bytes);
}

std::optional<QByteArray> LineSplitter::next()
{
    for (qsizetype i = m_start; i < m_buffer.size(); ++i) {
        const char c = m_buffer.at(i);
        if (c != '\n' && c != '\r') continue;
        // A "\r" at the very end may be the first half of "\r\n"; wait for the next byte.
        if (c == '\r' && i + 1 == m_buffer.size() && !m_finished) return std::nullopt;
        const QByteArray line = m_buffer.mid(m_start, i - m_start);
        m_start =
            (c == '\r' && i + 1 < m_buffer.size() && m_buffer.at(i + 1) == '\n') ? i + 2 : i + 1;
        return line;
    }
    if (m_finished && m_start < m_buffer.size()) {
        const QByteArray line = m_buffer.mid(m_start);
        m_start = m_buffer.size();
        return line;
    }
    return std::nullopt;
}

void LineSplitter::finish()
{
    m_finished = true;
}

} // namespace glossivo
