#pragma once

// What the program asks about its own process: the executable's path, the
// environment, and a pause of the calling thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

// Full Windows path of the running executable, on a mapped drive when one
// holds it ("Z:\home\u\lumivex\lv.exe"); empty when it cannot be read.
std::string GetModuleFileName();

// True when GetModuleFileName leads back to the running executable. It does
// not when a Linux name on the way holds '\' or ':', which have other
// meanings in a Windows path: files built from that name land elsewhere.
bool ModuleFileNameRoundTrips();

// The variable's value; nullopt when it is not set or the name is empty or
// holds '=' or a NUL byte.
std::optional<std::string> GetEnvironmentVariable(std::string_view name);

void Sleep(std::uint32_t milliseconds);

}
