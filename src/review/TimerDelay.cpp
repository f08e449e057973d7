#include "review/TimerDelay.h"

#include <QTimer>

namespace glossivo {

void TimerDelay::after(std::chrono::milliseconds pause, std::function<void()> work)
{
    QTimer::singleShot(pause, this, std::move(work));
}

} // namespace glossivo
