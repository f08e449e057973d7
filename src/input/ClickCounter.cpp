#include "input/ClickCounter.h"

#include <cstdlib>

namespace glossivo {

int ClickCounter::press(int button, QPoint position, qint64 timeMs)
{
    const qint64 elapsed = timeMs - m_timeMs;
    const bool continues = m_count > 0 && button == m_button && elapsed >= 0 &&
                           elapsed <= m_intervalMs &&
                           std::abs(position.x() - m_position.x()) <= m_slop &&
                           std::abs(position.y() - m_position.y()) <= m_slop;
    m_count = continues ? m_count + 1 : 1;
    m_button = button;
    m_position = position;
    m_timeMs = timeMs;
    return m_count;
}

} // namespace glossivo
