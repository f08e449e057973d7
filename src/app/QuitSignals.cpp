#include "app/QuitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace glossivo {

namespace {

// What the handler may touch: plain values and lock-free atomics, nothing that allocates.
volatile sig_atomic_t s_writeEnd = -1; // the pipe's write end
std::atomic<int> s_received{0};
char s_lastWords[8192];
// The length of what s_lastWords holds; 0 while it is being replaced.
std::atomic<std::size_t> s_lastWordsSize{0};
static_assert(std::atomic<int>::is_always_lock_free &&
              std::atomic<std::size_t>::is_always_lock_free);

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
    s_received = 0;
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

void QuitSignals::handle(int signal)
{
    // The first signal's quit waits for the event loop, which the end's wait holds up.
    if (s_received.fetch_add(1) > 0) endNow(signal);
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
