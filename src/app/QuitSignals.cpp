#include "app/QuitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

namespace glossivo {

namespace {

// What the handler may touch: plain values and lock-free atomics, nothing that allocates.
volatile sig_atomic_t s_writeEnd = -1; // the pipe's write end
std::atomic<bool> s_endBegun{false};
// When the first signal that asked for the end came (CLOCK_MONOTONIC, in nanoseconds); 0 for
// none yet.
std::atomic<long long> s_askedAt{0};
// Signals this close to the one that asked are the same request, even where the loop began
// the end in between: a logout's SIGHUP follows its SIGTERM by microseconds, and the loop can
// wake between the two.
constexpr long long kTogether = 250'000'000;
char s_lastWords[8192];
// The length of what s_lastWords holds; 0 while it is being replaced.
std::atomic<std::size_t> s_lastWordsSize{0};
static_assert(std::atomic<bool>::is_always_lock_free &&
              std::atomic<long long>::is_always_lock_free &&
              std::atomic<std::size_t>::is_always_lock_free);

// clock_gettime() is safe in a signal handler.
long long monotonicNow()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent)
{
    Q_ASSERT(s_writeEnd < 0);
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("Glossivo: no pipe for the end signals: %s", strerror(errno));
        return;
    }
    auto* notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &QuitSignals::drain);
    s_endBegun = false;
    s_askedAt = 0;
    s_writeEnd = m_pipe[1];
    struct sigaction action = {};
    action.sa_handler = &QuitSignals::handle;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on: the loop learns of the signal from the pipe.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &action, &m_previous[i]);
}

QuitSignals::~QuitSignals()
{
    if (m_pipe[0] < 0) return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &m_previous[i], nullptr);
    s_writeEnd = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void QuitSignals::setLastWords(const QByteArray& text)
{
    s_lastWordsSize = 0;
    qsizetype size = text.size();
    if (size > qsizetype(sizeof s_lastWords))
        size = text.lastIndexOf('\n', qsizetype(sizeof s_lastWords) - 1) + 1;
    std::memcpy(s_lastWords, text.constData(), std::size_t(size));
    s_lastWordsSize = std::size_t(size);
}

void QuitSignals::endBegins()
{
    s_endBegun = true;
}

void QuitSignals::handle(int signal)
{
    // Until the end begins, the request is on its way through the event loop; from then on the
    // end's wait holds that loop up, and only ending here cuts it short.
    const long long now = monotonicNow();
    if (s_endBegun) {
        const long long asked = s_askedAt;
        if (asked == 0 || now - asked > kTogether) endNow(signal);
    } else {
        long long none = 0;
        s_askedAt.compare_exchange_strong(none, now);
    }
    const int saved = errno;
    const char byte = char(signal);
    // A full pipe already holds a quit that the loop has not read yet.
    [[maybe_unused]] const ssize_t written = ::write(s_writeEnd, &byte, 1);
    errno = saved;
}

void QuitSignals::endNow(int signal)
{
    const std::size_t size = s_lastWordsSize;
    for (std::size_t done = 0; done < size;) {
        const ssize_t written = ::write(STDERR_FILENO, s_lastWords + done, size - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        done += std::size_t(written);
    }
    // Ended by the signal itself, so that a shell or a service manager sees which one.
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    sigset_t unblocked;
    sigemptyset(&unblocked);
    sigaddset(&unblocked, signal);
    ::raise(signal);
    ::pthread_sigmask(SIG_UNBLOCK, &unblocked, nullptr);
    ::_exit(128 + signal);
}

void QuitSignals::drain()
{
    char bytes[64];
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0) {
    }
    QCoreApplication::quit();
}

} // namespace glossivo
