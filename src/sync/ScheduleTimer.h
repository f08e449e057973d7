#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace glossivo {

// A timer of the sync schedule. The service builds its timers through a factory, so that tests
// can fire them by hand instead of waiting minutes.
class ScheduleTimer {
public:
    using Timeout = std::function<void()>;
    // Makes a timer that calls `timeout` once per start, or every interval when repeating.
    using Factory = std::function<std::unique_ptr<ScheduleTimer>(bool repeating, Timeout)>;

    virtual ~ScheduleTimer() = default;
    // Starts the timer, or starts it over when it runs.
    virtual void start(std::chrono::milliseconds interval) = 0;
    virtual void stop() = 0;

    // Timers of the event loop.
    static std::unique_ptr<ScheduleTimer> qt(bool repeating, Timeout timeout);
};

} // namespace glossivo
