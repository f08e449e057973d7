#pragma once

#include <QCoro/QCoroTask>

#include <functional>

namespace glossivo {

// Runs one asynchronous job on the main thread's event loop until it finishes, then
// ends the loop with the status it produced. Needs the application object to exist.
namespace TaskLoop {

using Work = std::function<QCoro::Task<int>()>;

// The exit status of the work; 1 when it ended with an exception nobody caught.
int exec(Work work);

} // namespace TaskLoop
} // namespace glossivo
