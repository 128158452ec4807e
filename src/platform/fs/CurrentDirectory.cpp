#include "platform/fs/CurrentDirectory.h"

#include "platform/fs/PathMap.h"

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace plat {

bool SetCurrentDirectory(std::string_view path)
{
    auto native = NativePath(path);
    return native && ::chdir(native->c_str()) == 0;
}

std::string GetCurrentDirectory()
{
    std::vector<char> buffer(256);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return WindowsPath(buffer.data());
}

}
