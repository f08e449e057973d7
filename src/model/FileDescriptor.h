#pragma once

namespace glossivo {

// An open file's descriptor that closes itself: one handed from a write to the cache that reads
// it later never stays open on a path that failed in between.
class FileDescriptor {
public:
    FileDescriptor() = default;
    // Takes the descriptor; a negative one is no file.
    explicit FileDescriptor(int fd) : m_fd(fd < 0 ? -1 : fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    // Leaves errno as it was, so that the reason of a failure outlives the files it closes.
    ~FileDescriptor();

    bool isOpen() const { return m_fd >= 0; }
    int get() const { return m_fd; }
    // Closes it now: false, with errno telling why, when the close reported an error (the
    // descriptor is gone all the same).
    bool close();

private:
    int m_fd = -1;
};

} // namespace glossivo
