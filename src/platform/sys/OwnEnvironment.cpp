#include "platform/sys/OwnEnvironment.h"

#include <cstdlib>
#include <mutex>
#include <string_view>
#include <unistd.h>

namespace plat {

namespace {

std::mutex& OwnMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<std::string>& OwnNames()
{
    static std::vector<std::string> names;
    return names;
}

}

bool SetOwnVariable(const char* name, const char* value)
{
    if (!name || !value || std::getenv(name) || setenv(name, value, 0) != 0)
        return false;
    std::lock_guard lock(OwnMutex());
    OwnNames().emplace_back(name);
    return true;
}

std::vector<std::string> EnvironmentForPrograms()
{
    std::lock_guard lock(OwnMutex());
    std::vector<std::string> entries;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view text(*entry);
        const std::string_view name = text.substr(0, text.find('='));
        bool own = false;
        for (const std::string& n : OwnNames())
            own = own || n == name;
        if (!own)
            entries.emplace_back(text);
    }
    return entries;
}

}
