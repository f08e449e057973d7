#pragma once

#include <QDateTime>

namespace glossivo {

// The one source of "now" for everything that stamps or schedules; tests substitute their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    // The process clock (UTC system time, in whole seconds).
    static const Clock& system();
};

} // namespace glossivo
