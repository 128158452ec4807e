#include "platform/sys/RunningProgram.h"

#include "platform/fs/PathMap.h"

#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

bool IsNumber(const char* name)
{
    if (!*name)
        return false;
    for (; *name; ++name) {
        if (!std::isdigit(static_cast<unsigned char>(*name)))
            return false;
    }
    return true;
}

// What /proc shows as the executable's path, with the suffix the kernel
// adds once the file was deleted or renamed over.
bool SamePath(const std::string& shown, const std::string& path)
{
    return shown == path || shown == path + " (deleted)";
}

}

bool IsProgramRunning(std::string_view path)
{
    auto native = NativePath(path);
    if (!native)
        return false;
    if (native->front() != '/') {
        char cwd[4096];
        if (!::getcwd(cwd, sizeof cwd))
            return false;
        *native = std::string(cwd) + "/" + *native;
    }
    struct stat file { };
    bool exists = ::stat(native->c_str(), &file) == 0;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return false;
    const std::string self = std::to_string(::getpid());
    bool running = false;
    while (dirent* entry = ::readdir(proc)) {
        if (!IsNumber(entry->d_name) || self == entry->d_name)
            continue;
        std::string exe = std::string("/proc/") + entry->d_name + "/exe";
        struct stat image { };
        if (exists && ::stat(exe.c_str(), &image) == 0 && image.st_dev == file.st_dev && image.st_ino == file.st_ino) {
            running = true;
            break;
        }
        char shown[4096];
        ssize_t n = ::readlink(exe.c_str(), shown, sizeof shown);
        if (n > 0 && static_cast<std::size_t>(n) < sizeof shown && SamePath(std::string(shown, static_cast<std::size_t>(n)), *native)) {
            running = true;
            break;
        }
    }
    ::closedir(proc);
    return running;
}

}
