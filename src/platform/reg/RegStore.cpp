#include "platform/reg/RegStore.h"

#include "platform/fs/FileDescriptor.h"

#include <cerrno>
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

enum class ReadResult { Read, Missing, Unusable };

// `readOnly`: the file lacks its owner's write permission, which marks it
// read-only (also for root, who could write it all the same).
ReadResult ReadStoreFile(const std::string& path, std::string& bytes, bool& readOnly)
{
    bytes.clear();
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Unusable;
    struct stat info {};
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

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void MakeParentFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
}

bool ReplaceStore(const std::string& path, std::string_view bytes)
{
    std::string temp = path + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.Get() < 0)
        return false;
    bool ok = ::fchmod(fd.Get(), 0600) == 0 && WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0
        && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
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
    std::string bytes;
    bool readOnly = false;
    switch (ReadStoreFile(path, bytes, readOnly)) {
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
    return ReplaceStore(path, bytes);
}

}
