#include "platform/reg/RegStore.h"

#include "platform/fs/FileDescriptor.h"
#include "platform/fs/StagedFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat::reg {

namespace {

// A registry export of a few programs' keys is a few kilobytes; anything far
// larger is not ours to parse on every lookup.
constexpr off_t kMaxStoreBytes = 4 * 1024 * 1024;

enum class ReadResult { Read,
    Missing,
    Unusable };

// `readOnly`: the file lacks its owner's write permission, which marks it
// read-only (also for root, who could write it all the same).
ReadResult ReadStoreFile(const std::string& path, std::string& bytes, bool& readOnly)
{
    bytes.clear();
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Unusable;
    struct stat info { };
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxStoreBytes)
        return ReadResult::Unusable;
    readOnly = (info.st_mode & S_IWUSR) == 0;
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ReadResult::Unusable;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return ReadResult::Read;
}

void MakeParentFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
}

// The file a store path names: a symbolic link (a store kept with the
// user's other configuration files elsewhere) is followed to its target,
// also one that does not exist yet, so that writing replaces the target and
// keeps the link. The path itself when it is not a link; empty for a loop.
std::string FollowLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info { };
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size())
            return {};
        target.resize(static_cast<std::size_t>(n));
        if (target.front() != '/')
            target = path.substr(0, path.rfind('/') + 1) + target;
        path = std::move(target);
    }
    return {};
}

// Written beside the file and renamed over it with the file's own
// permission bits (0600 for a new store), so a crash leaves the old store.
bool ReplaceStore(const std::string& file, std::string_view bytes)
{
    struct stat info { };
    const mode_t mode = ::stat(file.c_str(), &info) == 0 ? info.st_mode & 07777 : 0600;
    // Copies left by writers that died before renaming theirs.
    StagedFile::DeleteAbandoned(file);
    StagedFile staged(file, mode);
    // The umask must not narrow the mode the store already has.
    return staged.IsOpen() && ::fchmod(staged.Descriptor(), mode) == 0 && staged.Write(bytes)
        && staged.Commit(IfTargetExists::Replace);
}

}

std::string StorePath()
{
    const char* named = std::getenv("LUMIVEX_REGISTRY");
    if (named && *named)
        return named;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/lumivex/registry.reg";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.config/lumivex/registry.reg";
    return {};
}

Tree ReadStore()
{
    std::string path = StorePath();
    std::string bytes;
    bool readOnly = false;
    if (path.empty() || ReadStoreFile(path, bytes, readOnly) != ReadResult::Read)
        return {};
    return ParseText(bytes);
}

bool CreateStoreKey(std::string_view fullName)
{
    std::string path = StorePath();
    if (path.empty())
        return false;
    MakeParentFolders(path);
    // The store itself is replaced by rename, so the lock lives on a file of its own.
    FileDescriptor lock(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.Get() < 0)
        return false;
    while (::flock(lock.Get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return false;
    }
    const std::string file = FollowLinks(path);
    if (file.empty())
        return false;
    std::string bytes;
    bool readOnly = false;
    switch (ReadStoreFile(file, bytes, readOnly)) {
    case ReadResult::Unusable:
        return false;
    case ReadResult::Missing:
        bytes = "REGEDIT4\n";
        break;
    case ReadResult::Read:
        if (readOnly)
            return false;
        if (bytes.empty())
            bytes = "REGEDIT4\n";
        else if (!HasHeader(bytes))
            return false;
        break;
    }
    if (ParseText(bytes).HasKey(fullName))
        return true;
    // Keep the file's own line breaks.
    std::string_view eol = bytes.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    if (bytes.back() != '\n')
        bytes += eol;
    bytes += eol;
    bytes += SectionLine(fullName, eol);
    // A store past the read limit would read as empty: every key lost.
    if (bytes.size() > static_cast<std::size_t>(kMaxStoreBytes))
        return false;
    return ReplaceStore(file, bytes);
}

}
