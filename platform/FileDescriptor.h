#pragma once
// A file descriptor that is closed when it goes out of scope.

#include <unistd.h>
#include <utility>

namespace FileIO {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        if (this != &other) {
            if (m_fd >= 0)
                ::close(m_fd);
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    operator int() const { return m_fd; }
    // Closes it now, with the system's answer.
    int Close() { return ::close(std::exchange(m_fd, -1)); }
    // Hands the descriptor over, to be closed by the caller.
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

}  // namespace FileIO
