#pragma once

#include <QString>

#include <chrono>

namespace glossivo {

// The lock that makes the Glossivo processes on one data folder take turns at the word book: one
// holds it from reading what the others changed to the last write of its change. It is a lock
// (flock's) on a file of the folder, which the kernel lets go when the process ends, however it
// ends; the file itself stays.
class FolderLock {
public:
    enum class State {
        held,
        busy,        // another process kept it for longer than the wait
        unsupported, // the file system cannot lock (NFS without its lock service)
        failed,      // the lock file cannot be opened
    };

    explicit FolderLock(QString path);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock, waiting at most `wait` for another process to let it go.
    State acquire(std::chrono::milliseconds wait);
    void release();
    // Why the last acquire() did not hold it, in a sentence for the learner.
    const QString& error() const { return m_error; }

private:
    QString m_path;
    int m_fd = -1; // open from the first acquire() on
    bool m_held = false;
    QString m_error;
};

} // namespace glossivo
