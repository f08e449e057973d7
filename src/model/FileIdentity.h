#pragma once

#include <QByteArray>

#include <sys/stat.h>

namespace glossivo {

// Which file a path or a descriptor stood for, and as what: its device and inode, its size and
// its modification and change times. A rewrite in place can leave the size and the modification
// time as they were (a restore that sets the time back); the change time still moves, since
// nothing but the system clock sets it back. Two identities are equal only when all of it is.
class FileIdentity {
public:
    // Where no file stands.
    FileIdentity() = default;
    // The open file's. One that cannot be looked at is unknown.
    static FileIdentity of(int fd);
    // The file the path names now: none when nothing stands there, unknown when it cannot be
    // looked at.
    static FileIdentity at(const QByteArray& path);

    bool isKnown() const { return m_state != State::unknown; }
    qint64 size() const { return qint64(m_size); }

    // An unknown identity equals none, itself neither: such a file is taken for another one
    // each time it is checked, and read again.
    bool operator==(const FileIdentity& other) const;
    // The same file with the same size and modification time: its text as it was, though a
    // rename may have replaced it at its path since, which moves its change time.
    bool keepsTextOf(const FileIdentity& other) const;

private:
    enum class State { missing, known, unknown };
    explicit FileIdentity(State state) : m_state(state) {}
    explicit FileIdentity(const struct stat& info);

    State m_state = State::missing;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    off_t m_size = 0;
    timespec m_modified{};
    timespec m_changed{};
};

} // namespace glossivo
