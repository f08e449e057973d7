#pragma once

#include <chrono>
#include <functional>

namespace glossivo {

// Runs a piece of work once, later, on the calling thread's event loop. The work must check
// for itself that what it acts on is still there and still the same.
class Delay {
public:
    virtual ~Delay() = default;
    virtual void after(std::chrono::milliseconds pause, std::function<void()> work) = 0;
};

} // namespace glossivo
