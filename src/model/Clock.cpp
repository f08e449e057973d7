#include "model/Clock.h"

#include "model/IsoDate.h"

namespace glossivo {

namespace {
class SystemClock final : public Clock {
public:
    // Whole seconds, as every document holds its times: a stamp in memory is then the stamp on
    // disk and on other devices, and a sync pass finds every word reading back as itself.
    QDateTime now() const override
    {
        return IsoDate::wholeSeconds(QDateTime::currentDateTimeUtc());
    }
};
} // namespace

const Clock& Clock::system()
{
    static const SystemClock clock;
    return clock;
}

} // namespace glossivo
