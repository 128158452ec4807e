#pragma once

#include <unistd.h>

namespace plat {

// Owns a POSIX file descriptor and closes it on every path out of a scope;
// -1 (a failed open) is held and never closed.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd = -1;
};

}
