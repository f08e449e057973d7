#include "app/TaskLoop.h"

#include <QCoreApplication>
#include <QTimer>

namespace glossivo::TaskLoop {

namespace {

QCoro::Task<> finish(Work work)
{
    int status = 1;
    try {
        status = co_await work();
    } catch (...) {
        // The work reports its own failures; one that escapes must still end the process.
    }
    QCoreApplication::exit(status);
}

} // namespace

int exec(Work work)
{
    // Started from inside the loop: work that finishes without waiting would otherwise ask a
    // loop that is not running yet to exit, and the process would never end.
    QTimer::singleShot(0, QCoreApplication::instance(), [work = std::move(work)] { finish(work); });
    return QCoreApplication::exec();
}

} // namespace glossivo::TaskLoop
