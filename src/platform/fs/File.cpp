#include "platform/fs/File.h"

#include "platform/fs/PathMap.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

// The absolute, normalised Windows form of a path for error texts and
// GetFilePath.
std::string FullWindowsPath(const std::string& native)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(native, error);
    if (error)
        return WindowsPath(native);
    return WindowsPath(absolute.lexically_normal().string());
}

const char* CauseText(FileException::Cause cause)
{
    switch (cause) {
    case FileException::Cause::None:
        return "no error";
    case FileException::Cause::Generic:
        return "file error";
    case FileException::Cause::FileNotFound:
        return "file not found";
    case FileException::Cause::BadPath:
        return "bad path";
    case FileException::Cause::TooManyOpenFiles:
        return "too many open files";
    case FileException::Cause::AccessDenied:
        return "access denied";
    case FileException::Cause::BadSeek:
        return "bad seek";
    case FileException::Cause::HardIO:
        return "input/output error";
    case FileException::Cause::DiskFull:
        return "disk full";
    case FileException::Cause::EndOfFile:
        return "end of file";
    }
    return "file error";
}

}

FileException::FileException(Cause cause, int osError, std::string fileName)
    : m_cause(cause)
    , m_osError(osError)
    , m_fileName(std::move(fileName))
{
    m_message = std::string(CauseText(cause)) + ": '" + m_fileName + "'";
    if (osError != 0)
        m_message += std::string(" (") + std::strerror(osError) + ")";
}

FileException::Cause FileException::CauseFromErrno(int error)
{
    switch (error) {
    case 0:
        return Cause::None;
    case ENOENT:
        return Cause::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return Cause::BadPath;
    case EMFILE:
    case ENFILE:
        return Cause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
        return Cause::AccessDenied;
    case ESPIPE:
    case EOVERFLOW:
        return Cause::BadSeek;
    case EIO:
        return Cause::HardIO;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Cause::DiskFull;
    default:
        return Cause::Generic;
    }
}

File::File(std::string_view path, Mode mode)
{
    FileException error;
    if (!Open(path, mode, &error))
        throw error;
}

File::~File()
{
    Abort();
}

bool File::Open(std::string_view path, Mode mode, FileException* error)
{
    Abort();
    auto fail = [&](int errorNumber, FileException::Cause cause) {
        if (error)
            *error = FileException(cause, errorNumber, std::string(path));
        return false;
    };
    auto native = NativePath(path);
    if (!native || native->find('\0') != std::string::npos)
        return fail(0, FileException::Cause::BadPath);

    // O_NONBLOCK: opening a FIFO must not wait for the other end; only
    // regular files are accepted below.
    int flags = mode == Mode::Read ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC;
    if (mode == Mode::CreateNew) {
        struct stat existing { };
        if (::lstat(native->c_str(), &existing) == 0 && !S_ISDIR(existing.st_mode))
            ::unlink(native->c_str());
        flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
    }
    int fd = ::open(native->c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0)
        return fail(errno, FileException::CauseFromErrno(errno));
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail(EISDIR, FileException::Cause::AccessDenied);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
    m_path = FullWindowsPath(*native);
    return true;
}

void File::Close()
{
    if (m_fd < 0)
        return;
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        Throw(errno);
}

void File::Abort()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

std::size_t File::Read(void* buffer, std::size_t count)
{
    if (m_fd < 0)
        Throw(EBADF);
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::read(m_fd, out + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Throw(errno);
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void File::Write(const void* buffer, std::size_t count)
{
    if (m_fd < 0)
        Throw(EBADF);
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::write(m_fd, in + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Throw(errno);
        if (n == 0)
            Throw(ENOSPC);
        done += static_cast<std::size_t>(n);
    }
}

std::uint64_t File::Seek(std::int64_t offset, SeekFrom from)
{
    if (m_fd < 0)
        Throw(EBADF);
    int whence = from == SeekFrom::Begin ? SEEK_SET : from == SeekFrom::Current ? SEEK_CUR
                                                                                : SEEK_END;
    off_t position = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (position < 0)
        Throw(errno == EINVAL ? ESPIPE : errno);
    return static_cast<std::uint64_t>(position);
}

std::uint64_t File::GetLength() const
{
    struct stat info { };
    if (m_fd < 0)
        Throw(EBADF);
    if (::fstat(m_fd, &info) != 0)
        Throw(errno);
    return static_cast<std::uint64_t>(info.st_size);
}

void File::Throw(int error) const
{
    FileException::Cause cause = error == EBADF ? FileException::Cause::Generic : FileException::CauseFromErrno(error);
    throw FileException(cause, error, m_path);
}

}
