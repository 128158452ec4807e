#include "platform/fs/StagedFile.h"

#include "platform/fs/PathMap.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace plat {

namespace {

constexpr std::string_view kTempMarker = ".lvtmp-";

// "folder/" and ".name.lvtmp-" for a target "folder/name": every temporary
// file of the target starts with that prefix, then the writer's process id.
std::pair<std::string, std::string> TempPrefix(const std::string& target)
{
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return { folder, "." + name + std::string(kTempMarker) };
}

std::string TempNameBeside(const std::string& target)
{
    static std::atomic<unsigned> counter { 0 };
    thread_local std::minstd_rand random { std::random_device {}() };
    auto [folder, prefix] = TempPrefix(target);
    return folder + prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-"
        + std::to_string(random());
}

bool RenameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without RENAME_NOREPLACE: link() also refuses an existing target.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

// The writer's process id from a name made by TempNameBeside
// (".<name>.lvtmp-<pid>-<counter>-<random>"); 0 for any other name.
pid_t WriterOf(std::string_view name)
{
    std::size_t marker = name.rfind(kTempMarker);
    if (name.size() < 2 || name.front() != '.' || marker == std::string_view::npos || marker == 0)
        return 0;
    std::string_view rest = name.substr(marker + kTempMarker.size());
    pid_t pid = 0;
    int numbers = 0;
    bool inNumber = false;
    for (char c : rest) {
        if (c >= '0' && c <= '9') {
            if (numbers == 0 && pid < 100000000)
                pid = pid * 10 + (c - '0');
            inNumber = true;
        } else if (c == '-' && inNumber) {
            ++numbers;
            inNumber = false;
        } else {
            return 0;
        }
    }
    return numbers == 2 && inNumber ? pid : 0;
}

}

void RemoveStaleStagedFiles(std::string_view folder)
{
    auto native = NativePath(folder);
    if (!native)
        return;
    DIR* dir = ::opendir(native->c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t writer = WriterOf(entry->d_name);
        if (writer <= 0 || writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH)
            continue;
        struct stat info { };
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

StagedFile::StagedFile(std::string nativeTarget, mode_t mode)
    : m_target(std::move(nativeTarget))
{
    if (m_target.empty() || m_target.back() == '/')
        return;
    for (int attempt = 0; attempt < 8 && m_fd < 0; ++attempt) {
        m_temp = TempNameBeside(m_target);
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0)
        m_temp.clear();
}

int StagedFile::DeleteAbandoned(const std::string& nativeTarget)
{
    if (nativeTarget.empty() || nativeTarget.back() == '/')
        return 0;
    auto [folder, prefix] = TempPrefix(nativeTarget);
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return 0;
    int deleted = 0;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        char* end = nullptr;
        long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
        if (pid <= 0 || end == name.c_str() + prefix.size() || *end != '-')
            continue;
        bool writerGone = ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
        if (writerGone && ::unlink((folder + name).c_str()) == 0)
            ++deleted;
    }
    ::closedir(dir);
    return deleted;
}

StagedFile::~StagedFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
}

bool StagedFile::Write(std::string_view bytes)
{
    while (!m_failed && !bytes.empty()) {
        ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_failed = true;
            break;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return IsOpen() && !m_failed;
}

bool StagedFile::Commit(IfTargetExists mode)
{
    if (!IsOpen() || m_failed)
        return false;
    bool synced = ::fsync(m_fd) == 0;
    bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!synced || !closed)
        return false;
    bool renamed = mode == IfTargetExists::Replace ? ::rename(m_temp.c_str(), m_target.c_str()) == 0
                                                   : RenameNoReplace(m_temp, m_target);
    if (renamed)
        m_temp.clear();
    return renamed;
}

}
