#include "platform/sys/ShellOpen.h"

#include "platform/AsciiCase.h"
#include "platform/fs/PathMap.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/DetachedSpawn.h"

#include <cctype>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

// "http:", "mailto:" and the like; a single letter before the colon is a drive.
bool HasScheme(std::string_view text)
{
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2)
        return false;
    if (!std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    for (std::size_t i = 1; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

bool HasProgramSuffix(std::string_view path)
{
    for (std::string_view suffix : { ".exe", ".com", ".bat" }) {
        if (EndsWithIgnoringAsciiCase(path, suffix))
            return true;
    }
    return false;
}

int OpenWithHandler(const std::string& target, int watchMs = 0)
{
    std::string opener = FindInPath("xdg-open");
    if (opener.empty())
        return 1;
    return SpawnDetached(opener, { opener, target }, {}, watchMs) ? 0 : 1;
}

}

int ShellOpen(std::string_view file, std::string_view parameters, std::string_view directory)
{
    if (file.empty() || file.find('\0') != std::string_view::npos)
        return 1;
    if (HasScheme(file))
        return OpenWithHandler(std::string(file));

    std::optional<std::string> native = NativePath(file);
    struct stat info { };
    if (!native || stat(native->c_str(), &info) != 0)
        return 1;
    if (S_ISREG(info.st_mode) && access(native->c_str(), X_OK) == 0) {
        std::string dir;
        if (!directory.empty()) {
            std::optional<std::string> nativeDir = NativePath(directory);
            if (!nativeDir)
                return 1;
            dir = *nativeDir;
        }
        std::vector<std::string> args { *native };
        for (std::string& a : SplitCommandLine(parameters))
            args.push_back(std::move(a));
        return SpawnDetached(*native, args, dir) ? 0 : 1;
    }
    if (HasProgramSuffix(*native))
        return 1;
    // A relative name starting with '-' would read as an option.
    if (native->front() == '-')
        native->insert(0, "./");
    return OpenWithHandler(*native);
}

int OpenNativeFile(const std::string& nativePath)
{
    if (nativePath.empty() || nativePath.front() != '/' || nativePath.find('\0') != std::string::npos)
        return 1;
    // xdg-open without a program for the file ends at once with a failure;
    // with one, it may wait for the viewer.
    constexpr int kOpenerWatchMs = 1000;
    return OpenWithHandler(nativePath, kOpenerWatchMs);
}

}
