#pragma once

#include "model/Clock.h"

#include <QTimeZone>

namespace glossivo::testing {

// A clock that stands still until the test moves it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 10, 7), QTime(8, 0),
                                                   QTimeZone::utc()))
        : m_now(std::move(start))
    {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& time) { m_now = time; }
    void advance(qint64 milliseconds) { m_now = m_now.addMSecs(milliseconds); }

private:
    QDateTime m_now;
};

} // namespace glossivo::testing
