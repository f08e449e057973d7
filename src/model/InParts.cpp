#include "model/InParts.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace glossivo {

void inParts(qsizetype count, const std::function<void(qsizetype begin, qsizetype end)>& work)
{
    // As many threads as a desktop machine commonly has cores, each with enough records that
    // starting it costs little beside the work: a short list is done on the calling thread.
    constexpr qsizetype kMostParts = 8;
    constexpr qsizetype kFewestPerPart = 128;
    const qsizetype parts = std::clamp<qsizetype>(
        std::min(count / kFewestPerPart, qsizetype(std::thread::hardware_concurrency())), 1,
        kMostParts);
    std::vector<std::exception_ptr> errors(static_cast<size_t>(parts));
    const auto runPart = [&](qsizetype part) {
        try {
            work(count * part / parts, count * (part + 1) / parts);
        } catch (...) {
            errors[size_t(part)] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    for (qsizetype part = 1; part < parts; ++part)
        threads.emplace_back(runPart, part);
    runPart(0);
    for (std::thread& thread : threads)
        thread.join();
    for (const std::exception_ptr& error : errors)
        if (error) std::rethrow_exception(error);
}

} // namespace glossivo
