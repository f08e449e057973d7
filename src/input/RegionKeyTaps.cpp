#include "input/RegionKeyTaps.h"

namespace glossivo {

namespace {

// X server times are 32-bit milliseconds that wrap after 49 days.
qint64 elapsed(qint64 from, qint64 to)
{
    return qint64(quint32(to - from));
}

} // namespace

bool RegionKeyTaps::modifiersChanged(bool keyAlone, bool allReleased, qint64 timeMs)
{
    if (keyAlone) {
        if (m_pressedAt) return false; // the same press
        if (m_lastTap && elapsed(*m_lastTap, timeMs) < kGapMs) {
            m_lastTap.reset();
            return true;
        }
        m_pressedAt = timeMs;
        return false;
    }
    if (!m_pressedAt) return false;
    const qint64 pressedAt = *m_pressedAt;
    m_pressedAt.reset();
    if (allReleased && elapsed(pressedAt, timeMs) < kTapMs)
        m_lastTap = timeMs;
    else
        m_lastTap.reset(); // held too long, or another modifier joined in
    return false;
}

void RegionKeyTaps::reset()
{
    m_pressedAt.reset();
    m_lastTap.reset();
}

} // namespace glossivo
