#include "model/WordBookTurns.h"

namespace glossivo {

namespace {

// A turn waits this long for another process's by default: a command-line mode has no window to
// keep answering, and one change of a word book of tens of megabytes takes a second, so ten
// processes at once all have their turn; short enough that a process stopped with the lock held
// is noticed.
constexpr std::chrono::seconds kDefaultWait(30);
// Changes held back, and documents not taken in, are tried again this often, each time without
// waiting for the lock.
constexpr std::chrono::milliseconds kRetryInterval(250);

} // namespace

WordBookTurns::WordBookTurns(QString lockPath, std::function<void()> takeIn, QObject* parent)
    : QObject(parent), m_lock(std::move(lockPath)), m_takeIn(std::move(takeIn)),
      m_wait(kDefaultWait)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryInterval);
    connect(&m_retry, &QTimer::timeout, this, &WordBookTurns::retryDue);
}

void WordBookTurns::setWait(std::chrono::milliseconds wait, std::chrono::milliseconds patience)
{
    m_wait = wait;
    m_patience = patience;
}

void WordBookTurns::begin()
{
    if (m_depth++ == 0) start();
}

void WordBookTurns::end()
{
    if (--m_depth == 0) m_lock.release();
}

void WordBookTurns::start()
{
    m_state = m_lock.acquire(m_wait);
    const bool writes = m_state == FolderLock::State::held ||
                        (m_state == FolderLock::State::unsupported && m_writesWithoutLocks);
    if (writes)
        m_error.reset();
    else
        m_error = m_lock.error();
    // Another process is somewhere in its turn: what it wrote is taken in at a later turn. Where
    // no process can lock, there is no turn to be halfway through.
    if (m_state == FolderLock::State::busy)
        m_retry.start();
    else
        m_takeIn();
}

bool WordBookTurns::holdBack()
{
    if (!m_error || m_state != FolderLock::State::busy) {
        m_heldBack.invalidate();
        return false;
    }
    if (!m_heldBack.isValid()) m_heldBack.start();
    m_retry.start();
    return m_heldBack.elapsed() < m_patience.count();
}

} // namespace glossivo
