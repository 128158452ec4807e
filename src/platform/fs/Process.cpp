#include "platform/fs/Process.h"

#include "platform/fs/PathMap.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <unistd.h>
#include <vector>

namespace plat {

namespace {

std::string NativeModuleFileName()
{
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

}

std::string GetModuleFileName()
{
    std::string native = NativeModuleFileName();
    return native.empty() ? std::string() : WindowsPath(native);
}

bool ModuleFileNameRoundTrips()
{
    std::string native = NativeModuleFileName();
    return !native.empty() && NativePath(WindowsPath(native)) == native;
}

std::optional<std::string> GetEnvironmentVariable(std::string_view name)
{
    if (name.empty() || name.find_first_of(std::string_view("=\0", 2)) != std::string_view::npos)
        return std::nullopt;
    const char* value = std::getenv(std::string(name).c_str());
    if (!value)
        return std::nullopt;
    return std::string(value);
}

void Sleep(std::uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}
