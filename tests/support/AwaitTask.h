#pragma once

#include <QCoro/QCoroTask>
#include <QEventLoop>

#include <exception>
#include <optional>

namespace glossivo::testing {

// Runs the event loop until the task is done and returns its result or rethrows its failure.
// (QCoro::waitFor never returns when the task throws.)
template <class T> T awaitTask(QCoro::Task<T> task)
{
    std::optional<T> result;
    std::exception_ptr failure;
    bool done = false;
    QEventLoop loop;
    auto run = [&]() -> QCoro::Task<> {
        try {
            result.emplace(co_await std::move(task));
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
        loop.quit();
    };
    QCoro::Task<> running = run();
    if (!done) loop.exec();
    if (failure) std::rethrow_exception(failure);
    return std::move(*result);
}

} // namespace glossivo::testing
