#include "platform/fs/FileOps.h"

#include "platform/fs/FileDescriptor.h"
#include "platform/fs/PathMap.h"
#include "platform/fs/StagedFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

// Flushes a regular file's data; anything else (a folder, a link) is left.
void FlushToDisk(const std::string& native)
{
    FileDescriptor file(::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    struct stat info { };
    if (file.Get() >= 0 && ::fstat(file.Get(), &info) == 0 && S_ISREG(info.st_mode))
        ::fsync(file.Get());
}

bool CopyNative(const std::string& from, const std::string& to, IfTargetExists mode)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
    FileDescriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info { };
    if (source.Get() < 0 || ::fstat(source.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    struct stat existing { };
    if (mode == IfTargetExists::Fail && ::lstat(to.c_str(), &existing) == 0)
        return false;
    StagedFile copy(to, info.st_mode & 0777);
    if (!copy.IsOpen())
        return false;
    char buffer[64 * 1024];
    for (;;) {
        ssize_t n = ::read(source.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (!copy.Write({ buffer, static_cast<size_t>(n) }))
            return false;
    }
    const struct timespec times[2] = { info.st_atim, info.st_mtim };
    ::futimens(copy.Descriptor(), times);
    return copy.Commit(mode);
}

}

bool CreateDirectory(std::string_view path)
{
    auto native = NativePath(path);
    return native && ::mkdir(native->c_str(), 0777) == 0;
}

bool DeleteFile(std::string_view path)
{
    auto native = NativePath(path);
    struct stat info { };
    if (!native || ::lstat(native->c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    return ::unlink(native->c_str()) == 0;
}

bool CreateSubfolders(std::string_view folder, std::string_view relativeFile)
{
    // An empty folder is the current directory.
    std::string path;
    if (!folder.empty()) {
        auto base = NativePath(folder);
        if (!base)
            return false;
        path = *base;
    }
    if (relativeFile.find('\0') != std::string_view::npos)
        return false;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = relativeFile.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            return true;
        std::string_view part = relativeFile.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (!path.empty() && path.back() != '/')
            path += '/';
        path.append(part);
        struct stat info { };
        if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            return false;
    }
}

bool RemoveTree(std::string_view path)
{
    auto native = NativePath(path);
    // A trailing slash would make a link at the name count as its folder.
    while (native && native->size() > 1 && native->back() == '/')
        native->pop_back();
    if (!native || *native == "/")
        return false;
    // remove_all does not follow links, neither at the name nor inside.
    std::error_code error;
    std::filesystem::remove_all(*native, error);
    struct stat info { };
    return ::lstat(native->c_str(), &info) != 0 && errno == ENOENT;
}

bool CopyFile(std::string_view from, std::string_view to, IfTargetExists mode)
{
    auto nativeFrom = NativePath(from);
    auto nativeTo = NativePath(to);
    return nativeFrom && nativeTo && CopyNative(*nativeFrom, *nativeTo, mode);
}

void DeleteAbandonedCopies(std::string_view path)
{
    if (auto native = NativePath(path))
        StagedFile::DeleteAbandoned(*native);
}

bool MoveFile(std::string_view from, std::string_view to, IfTargetExists mode)
{
    auto nativeFrom = NativePath(from);
    auto nativeTo = NativePath(to);
    if (!nativeFrom || !nativeTo)
        return false;
    FlushToDisk(*nativeFrom);
    int result = mode == IfTargetExists::Replace
        ? ::rename(nativeFrom->c_str(), nativeTo->c_str())
        : ::renameat2(AT_FDCWD, nativeFrom->c_str(), AT_FDCWD, nativeTo->c_str(), RENAME_NOREPLACE);
    if (result != 0 && mode == IfTargetExists::Fail && (errno == EINVAL || errno == ENOSYS)) {
        // File systems without RENAME_NOREPLACE: check first, then rename.
        struct stat existing { };
        if (::lstat(nativeTo->c_str(), &existing) == 0)
            return false;
        result = ::rename(nativeFrom->c_str(), nativeTo->c_str());
    }
    if (result == 0)
        return true;
    if (errno != EXDEV)
        return false;
    return CopyNative(*nativeFrom, *nativeTo, mode) && ::unlink(nativeFrom->c_str()) == 0;
}

bool SetExecutable(std::string_view path)
{
    auto native = NativePath(path);
    if (!native)
        return false;
    FileDescriptor file(::open(native->c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat info { };
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    mode_t mode = info.st_mode & 07777;
    mode |= (mode & 0444) >> 2;
    return ::fchmod(file.Get(), mode) == 0 && ::fsync(file.Get()) == 0;
}

bool FlushFolder(std::string_view folder)
{
    auto native = NativePath(folder);
    if (!native)
        return false;
    FileDescriptor dir(::open(native->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.Get() >= 0 && ::fsync(dir.Get()) == 0;
}

}
