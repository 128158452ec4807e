#include "platform/fs/CurrentDirectory.h"

#include "platform/fs/PathMap.h"

#include <atomic>
#include <cerrno>
#include <unistd.h>
#include <vector>

namespace plat {

namespace {

std::atomic<bool> g_left = false;

}

bool SetCurrentDirectory(std::string_view path)
{
    auto native = NativePath(path);
    if (!native || ::chdir(native->c_str()) != 0)
        return false;
    g_left = false;
    return true;
}

void LeaveCurrentDirectory()
{
    g_left = true;
}

bool HasCurrentDirectory()
{
    return !g_left;
}

std::string GetCurrentDirectory()
{
    if (g_left)
        return {};
    std::vector<char> buffer(256);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return WindowsPath(buffer.data());
}

}
