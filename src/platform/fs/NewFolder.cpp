#include "platform/fs/NewFolder.h"

#include "platform/fs/StagedFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

// Gives up on suffixes after this many: something else is wrong.
constexpr int kMaxSuffix = 1000;

// 0 when `path` is a folder afterwards (made now or before), else the reason.
int MakeOrFindFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) == 0)
        return 0;
    const int error = errno;
    struct stat info { };
    if (error == EEXIST)
        return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    return error;
}

}

NewFolder::NewFolder(const std::string& base, std::string_view sub, std::string_view name)
{
    (void)Make(base, sub, name);
}

bool NewFolder::Make(const std::string& base, std::string_view sub, std::string_view name)
{
    struct stat info { };
    if (base.empty() || base.front() != '/')
        return Fail(base, ENOENT);
    if (::stat(base.c_str(), &info) != 0)
        return Fail(base, errno);
    if (!S_ISDIR(info.st_mode))
        return Fail(base, ENOTDIR);
    std::string parent = base == "/" ? std::string() : base;
    while (!sub.empty()) {
        const std::size_t slash = sub.find('/');
        parent += "/" + std::string(sub.substr(0, slash));
        sub = slash == std::string_view::npos ? std::string_view {} : sub.substr(slash + 1);
        if (const int error = MakeOrFindFolder(parent); error != 0)
            return Fail(parent, error);
    }
    std::string folder = parent + "/" + std::string(name);
    for (int suffix = 2; ::mkdir(folder.c_str(), 0777) != 0; ++suffix) {
        // A name that is taken gets the next suffix; any other failure ends it.
        if (errno != EEXIST || suffix > kMaxSuffix)
            return Fail(folder, errno);
        folder = parent + "/" + std::string(name) + "-" + std::to_string(suffix);
    }
    m_path = folder + "/";
    return true;
}

bool NewFolder::Write(std::string_view fileName, std::string_view bytes)
{
    if (!IsMade())
        return false;
    const std::string target = m_path + std::string(fileName);
    errno = 0;
    StagedFile file(target, 0666);
    if (!file.Write(bytes) || !file.Commit(IfTargetExists::Fail))
        return Fail(target, errno != 0 ? errno : EIO);
    m_written.push_back(target);
    return true;
}

void NewFolder::Discard()
{
    if (!IsMade())
        return;
    for (const std::string& file : m_written)
        ::unlink(file.c_str());
    ::rmdir(m_path.c_str());
    m_written.clear();
    m_path.clear();
}

bool NewFolder::Fail(std::string path, int error)
{
    m_failedPath = std::move(path);
    m_reason = std::strerror(error);
    return false;
}

}
