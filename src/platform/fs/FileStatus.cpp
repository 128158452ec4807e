#include "platform/fs/FileStatus.h"

#include "platform/fs/File.h"
#include "platform/fs/PathMap.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

namespace plat {

namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

std::optional<std::string> Native(std::string_view path)
{
    auto native = NativePath(path);
    if (!native || native->find('\0') != std::string::npos)
        return std::nullopt;
    return native;
}

}

bool GetFileStatus(std::string_view path, FileStatus& status)
{
    auto native = Native(path);
    struct statx info { };
    if (!native || ::statx(AT_FDCWD, native->c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0)
        return false;
    status.lastAccessTime = static_cast<std::time_t>(info.stx_atime.tv_sec);
    status.lastWriteTime = static_cast<std::time_t>(info.stx_mtime.tv_sec);
    status.creationTime = (info.stx_mask & STATX_BTIME) ? static_cast<std::time_t>(info.stx_btime.tv_sec)
                                                        : status.lastWriteTime;
    status.size = info.stx_size;
    status.attributes = 0;
    if (!(info.stx_mode & S_IWUSR))
        status.attributes |= kFileAttributeReadOnly;
    if (S_ISDIR(info.stx_mode))
        status.attributes |= kFileAttributeDirectory;
    if (status.attributes == 0)
        status.attributes = kFileAttributeNormal;
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(*native, error);
    status.fullName = WindowsPath(error ? *native : absolute.lexically_normal().string());
    return true;
}

void SetFileStatus(std::string_view path, const FileStatus& status)
{
    auto native = Native(path);
    if (!native)
        throw FileException(FileException::Cause::BadPath, 0, std::string(path));
    if (status.lastWriteTime != 0) {
        struct timespec times[2] = {};
        times[0].tv_sec = status.lastAccessTime;
        if (status.lastAccessTime == 0)
            times[0].tv_nsec = UTIME_OMIT;
        times[1].tv_sec = status.lastWriteTime;
        if (::utimensat(AT_FDCWD, native->c_str(), times, 0) != 0)
            throw FileException(FileException::CauseFromErrno(errno), errno, std::string(path));
    }
    if (!SetFileAttributes(path, status.attributes))
        throw FileException(FileException::CauseFromErrno(errno), errno, std::string(path));
}

bool SetFileAttributes(std::string_view path, std::uint32_t attributes)
{
    auto native = Native(path);
    struct stat info { };
    if (!native) {
        errno = ENOENT;
        return false;
    }
    if (::stat(native->c_str(), &info) != 0)
        return false;
    mode_t mode = info.st_mode & 07777;
    mode_t wanted = (attributes & kFileAttributeReadOnly) ? mode & ~kWriteBits : mode | S_IWUSR;
    if (wanted == mode)
        return true;
    return ::chmod(native->c_str(), wanted) == 0;
}

bool CopyPermissions(std::string_view model, std::string_view path)
{
    auto nativeModel = Native(model);
    auto native = Native(path);
    struct stat info { };
    if (!nativeModel || !native || ::stat(nativeModel->c_str(), &info) != 0)
        return false;
    return ::chmod(native->c_str(), info.st_mode & 07777) == 0;
}

}
