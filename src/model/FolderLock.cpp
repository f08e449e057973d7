#include "model/FolderLock.h"

#include "model/AtomicFile.h"
#include "model/FileError.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace glossivo {

FolderLock::FolderLock(QString path) : m_path(std::move(path)) {}

FolderLock::~FolderLock()
{
    if (m_fd >= 0) ::close(m_fd); // lets the lock go with it
}

FolderLock::State FolderLock::acquire(std::chrono::milliseconds wait)
{
    using namespace std::chrono;
    m_error.clear();
    if (m_fd < 0)
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        // A folder where not even an empty file can be made (a read-only or full disk) takes no
        // write either: the reason is the same one.
        m_error = FileError::reason(errno);
        return State::failed;
    }
    const auto deadline = steady_clock::now() + wait;
    // Another process holds it only for one change of the word book, a few milliseconds, or a
    // second for a book of tens of megabytes: a short sleep between tries is plenty.
    milliseconds pause(1);
    while (AtomicFile::lock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) {
            const bool unsupported = errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL;
            m_error = unsupported ? QStringLiteral("数据文件夹所在的文件系统不能加锁，无法与另一个 "
                                                   "Glossivo 进程轮流写入单词本")
                                  : QStringLiteral("锁不住数据文件夹：") + FileError::reason(errno);
            return unsupported ? State::unsupported : State::failed;
        }
        if (steady_clock::now() >= deadline) {
            m_error = QStringLiteral("另一个 Glossivo 进程一直占着单词本，这次改动没能写入");
            return State::busy;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, milliseconds(50));
    }
    m_held = true;
    return State::held;
}

void FolderLock::release()
{
    if (!m_held) return;
    AtomicFile::lock(m_fd, LOCK_UN);
    m_held = false;
}

} // namespace glossivo
