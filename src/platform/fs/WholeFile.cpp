#include "platform/fs/WholeFile.h"

#include "platform/fs/PathMap.h"
#include "platform/fs/StagedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

bool ReadNative(const std::string& native, std::string& bytes)
{
    // O_NONBLOCK: a FIFO or device must not block the open; it is refused below.
    int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info { };
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        try {
            bytes.resize(static_cast<size_t>(info.st_size));
        } catch (const std::bad_alloc&) {
            ok = false;
        } catch (const std::length_error&) {
            ok = false;
        }
    }
    size_t done = 0;
    while (ok && done < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        else if (n == 0)
            break;
        else
            done += static_cast<size_t>(n);
    }
    ::close(fd);
    if (!ok) {
        bytes.clear();
        bytes.shrink_to_fit();
        return false;
    }
    bytes.resize(done);
    return true;
}

}

bool ReadWholeFile(std::string_view path, std::string& bytes)
{
    bytes.clear();
    auto native = NativePath(path);
    return native && ReadNative(*native, bytes);
}

bool WriteWholeFile(std::string_view path, std::string_view bytes)
{
    auto native = NativePath(path);
    if (!native)
        return false;
    struct stat info { };
    if (::stat(native->c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return false;
    StagedFile file(*native, 0666);
    return file.Write(bytes) && file.Commit(IfTargetExists::Replace);
}

}
