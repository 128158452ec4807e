#include "platform/fs/FileLock.h"

#include "platform/fs/PathMap.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

FileLock::Result FileLock::TryLock(std::string_view path)
{
    auto native = NativePath(path);
    if (m_fd >= 0 || !native)
        return Result::Failed;
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = ::open(native->c_str(), O_RDWR | O_CREAT | kFlags, 0644);
    // A read-only file system still lets an existing lock file be locked.
    if (fd < 0 && (errno == EROFS || errno == EACCES))
        fd = ::open(native->c_str(), O_RDONLY | kFlags);
    struct stat info { };
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    if (fd < 0)
        return Result::Failed;
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Result::Busy : Result::Failed;
    }
    m_fd = fd;
    return Result::Locked;
}

}
