#pragma once

#include <QPoint>

namespace glossivo {

// Counts multi-clicks from raw presses, which carry no click count of their own: a press of
// the same button soon enough after the last one and close enough to it continues the series.
class ClickCounter {
public:
    explicit ClickCounter(int intervalMs = 400, int slopPixels = 4)
        : m_intervalMs(intervalMs), m_slop(slopPixels)
    {}

    // The press's place in its series: 1 for a single click, 2 for a double click, and so on.
    int press(int button, QPoint position, qint64 timeMs);
    int count() const { return m_count; }

private:
    int m_intervalMs;
    int m_slop;
    int m_button = 0;
    QPoint m_position;
    qint64 m_timeMs = 0;
    int m_count = 0;
};

} // namespace glossivo
