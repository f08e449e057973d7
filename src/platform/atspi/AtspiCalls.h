#pragma once

// What every reader of the accessibility bus needs: references that drop themselves, and a
// time budget that ends a read at its first failed call. Include after <atspi/atspi.h>.

#include <QElapsedTimer>

#include <chrono>
#include <utility>

namespace glossivo {

// Holds one reference to a GObject and drops it at the end of the scope.
template <class T> class Ref {
public:
    explicit Ref(T* object = nullptr) : m_object(object) {}
    ~Ref()
    {
        if (m_object) g_object_unref(m_object);
    }
    Ref(Ref&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }
    T* get() const { return m_object; }
    T* release() { return std::exchange(m_object, nullptr); }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object;
};

// Ends a read at the first call that failed or timed out, and once the read has used its time.
class AtspiBudget {
public:
    explicit AtspiBudget(std::chrono::milliseconds limit) : m_limit(limit.count())
    {
        m_clock.start();
    }

    // Whether the call that may have set `error` succeeded; a failure ends the read.
    bool ok(GError*& error)
    {
        if (error) {
            g_clear_error(&error);
            m_failed = true;
        }
        return !m_failed;
    }
    bool spent() const { return m_failed || m_clock.elapsed() >= m_limit; }

private:
    QElapsedTimer m_clock;
    qint64 m_limit;
    bool m_failed = false;
};

} // namespace glossivo
