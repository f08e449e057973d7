#pragma once

#include "model/FolderLock.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

namespace glossivo {

// The turns that the Glossivo processes on one data folder take at the word book. A turn holds
// the folder's lock from taking in what the others wrote to the last write of its own change;
// turns nest, and only the outermost takes the lock. Another process's turn replaces several
// documents one after another, so what is on disk is whole only while no other process holds
// the lock: a turn that cannot have it takes nothing in and writes nothing. Its changes wait in
// memory and are
// tried again a few times a second, without waiting, until a later turn has the lock; they count
// as failed only once they have waited longer than the patience.
class WordBookTurns : public QObject {
    Q_OBJECT

public:
    // `takeIn` reads what other processes wrote since: called at the start of every outermost
    // turn that no other process's holds up.
    WordBookTurns(QString lockPath, std::function<void()> takeIn, QObject* parent = nullptr);

    void begin();
    void end();
    bool isUnderWay() const { return m_depth > 0; }
    // Why the turn under way may not write; none when it may.
    const std::optional<QString>& error() const { return m_error; }

    // After a turn's changes were tried: whether another process's turn held them back and they
    // may wait for a later one, retried by themselves, rather than count as failed. A turn that
    // had the lock starts the patience over.
    bool holdBack();
    bool isHeldBack() const { return m_heldBack.isValid(); }
    // Asks for retryDue() a little later, when a turn under way cannot try now.
    void retryLater() { m_retry.start(); }

    // How long a turn waits for another process's, and how long changes held back keep waiting.
    void setWait(std::chrono::milliseconds wait, std::chrono::milliseconds patience);
    std::chrono::milliseconds& wait() { return m_wait; }
    // Where the file system cannot lock at all, whether turns write anyway (see WordStore).
    void setWritesWithoutLocks(bool writes) { m_writesWithoutLocks = writes; }

Q_SIGNALS:
    // Changes that wait, or documents not taken in, are to be tried again now.
    void retryDue();

private:
    void start();

    FolderLock m_lock;
    std::function<void()> m_takeIn;
    int m_depth = 0;
    FolderLock::State m_state = FolderLock::State::held; // of the turn under way
    std::optional<QString> m_error;
    bool m_writesWithoutLocks = false;
    std::chrono::milliseconds m_wait;
    std::chrono::milliseconds m_patience{0};
    QElapsedTimer m_heldBack; // since another process's turn first held back the changes;
                              // invalid when none are held back
    QTimer m_retry;
};

} // namespace glossivo
