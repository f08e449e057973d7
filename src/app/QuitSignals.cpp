#include "app/QuitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace glossivo {

namespace {

// The pipe's write end, for the handler: a signal handler may touch nothing else.
volatile sig_atomic_t s_writeEnd = -1;

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

void QuitSignals::handle(int signal)
{
    const int saved = errno;
    const char byte = char(signal);
    // A full pipe already holds a quit that the loop has not read yet.
    [[maybe_unused]] const ssize_t written = ::write(s_writeEnd, &byte, 1);
    errno = saved;
}

void QuitSignals::drain()
{
    char bytes[64];
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0) {
    }
    QCoreApplication::quit();
}

} // namespace glossivo
