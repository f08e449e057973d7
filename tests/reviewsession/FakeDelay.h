#pragma once

#include "review/Delay.h"

#include <QList>

namespace glossivo::testing {

// Holds delayed work until the test lets the time pass.
class FakeDelay final : public Delay {
public:
    void after(std::chrono::milliseconds pause, std::function<void()> work) override
    {
        pauses.append(pause);
        m_pending.append(std::move(work));
    }

    qsizetype pending() const { return m_pending.size(); }

    // Runs everything that was waiting, in the order it was started.
    void elapse()
    {
        const QList<std::function<void()>> due = std::exchange(m_pending, {});
        for (const auto& work : due)
            work();
    }

    QList<std::chrono::milliseconds> pauses;

private:
    QList<std::function<void()>> m_pending;
};

} // namespace glossivo::testing
