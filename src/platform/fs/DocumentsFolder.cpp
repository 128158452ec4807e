#include "platform/fs/DocumentsFolder.h"

#include "platform/fs/PathMap.h"
#include "platform/fs/WholeFile.h"

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>

namespace plat {

namespace {

bool IsFolder(const std::string& native)
{
    struct stat info { };
    return ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The value of XDG_DOCUMENTS_DIR in a user-dirs.dirs text: a quoted
// absolute path or "$HOME/..."; empty when absent, malformed, or the home
// folder itself (which marks the folder as not wanted).
std::string DocumentsEntry(std::string_view text, const std::string& home)
{
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=\"";
    std::string found;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view {} : text.substr(end + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (!line.starts_with(kKey))
            continue;
        line.remove_prefix(kKey.size());
        std::size_t quote = line.find('"');
        if (quote == std::string_view::npos)
            continue;
        std::string_view value = line.substr(0, quote);
        if (value.starts_with("$HOME"))
            found = home + std::string(value.substr(5));
        else if (value.starts_with("/"))
            found = std::string(value);
        else
            found.clear();
    }
    while (found.size() > 1 && found.back() == '/')
        found.pop_back();
    return found == home ? std::string() : found;
}

}

std::string GetDocumentsFolder()
{
    const char* homeVar = std::getenv("HOME");
    if (!homeVar || homeVar[0] != '/')
        return {};
    std::string home = homeVar;
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();

    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string configFolder = config && config[0] == '/' ? std::string(config) : home + "/.config";
    std::string text;
    std::string folder;
    if (ReadWholeFile(WindowsPath(configFolder + "/user-dirs.dirs"), text))
        folder = DocumentsEntry(text, home);
    if (folder.empty() && IsFolder(home + "/Documents"))
        folder = home + "/Documents";
    if (folder.empty())
        folder = home;
    std::string windows = WindowsPath(folder);
    if (windows.empty() || windows.back() != '\\')
        windows += '\\';
    return windows;
}

}
