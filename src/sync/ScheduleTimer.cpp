#include "sync/ScheduleTimer.h"

#include <QTimer>

namespace glossivo {

namespace {

class QtScheduleTimer final : public ScheduleTimer {
public:
    QtScheduleTimer(bool repeating, Timeout timeout)
    {
        m_timer.setSingleShot(!repeating);
        m_timer.setTimerType(Qt::CoarseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [timeout = std::move(timeout)] { timeout(); });
    }
    void start(std::chrono::milliseconds interval) override { m_timer.start(interval); }
    void stop() override { m_timer.stop(); }

private:
    QTimer m_timer;
};

} // namespace

std::unique_ptr<ScheduleTimer> ScheduleTimer::qt(bool repeating, Timeout timeout)
{
    return std::make_unique<QtScheduleTimer>(repeating, std::move(timeout));
}

} // namespace glossivo
