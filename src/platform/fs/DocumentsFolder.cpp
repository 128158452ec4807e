#include "platform/fs/DocumentsFolder.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

constexpr std::size_t kMaxUserDirsSize = 64 * 1024;

bool IsFolder(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The text of a small regular file; empty when it is anything else.
std::string ReadSmallFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    std::string text;
    struct stat info { };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        char chunk[4096];
        ssize_t got;
        while (text.size() <= kMaxUserDirsSize && (got = ::read(fd, chunk, sizeof chunk)) != 0) {
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                break;
            text.append(chunk, static_cast<std::size_t>(got));
        }
    }
    ::close(fd);
    return text.size() > kMaxUserDirsSize ? std::string() : text;
}

// A double-quoted value read as the shell reads it: a backslash escapes
// '$', '`', '"' and '\' and stays before anything else; "$HOME" is taken
// at the start only. nullopt for what the shell would expand otherwise or
// what it would read past the closing quote.
std::optional<std::string> ShellValue(std::string_view text, const std::string& home)
{
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    text.remove_prefix(1);
    std::string value;
    if (text.starts_with("$HOME") && (text.size() == 5 || text[5] == '/' || text[5] == '"')) {
        value = home;
        text.remove_prefix(5);
    }
    while (!text.empty() && text.front() != '"') {
        const char c = text.front();
        text.remove_prefix(1);
        if (c == '$' || c == '`')
            return std::nullopt;
        if (c == '\\' && !text.empty() && std::string_view("$`\"\\").find(text.front()) != std::string_view::npos) {
            value += text.front();
            text.remove_prefix(1);
        } else if (c == '\\' && !text.empty() && text.front() == '\n') {
            text.remove_prefix(1);
        } else {
            value += c;
        }
    }
    if (text.empty())
        return std::nullopt;
    text.remove_prefix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (!text.empty() && text.front() != '#')
        return std::nullopt;
    return value;
}

// The value of XDG_DOCUMENTS_DIR in a user-dirs.dirs text, the last line
// that sets it counting: empty when absent, not absolute, not readable as
// above, or the home folder itself (which marks the folder as not wanted).
std::string DocumentsEntry(std::string_view text, const std::string& home)
{
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=";
    std::string found;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view {} : text.substr(end + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (!line.starts_with(kKey))
            continue;
        std::optional<std::string> value = ShellValue(line.substr(kKey.size()), home);
        found = value && value->starts_with('/') ? WithoutTrailingSlashes(*value) : std::string();
    }
    return found == home ? std::string() : found;
}

}

std::string GetHomeFolder()
{
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? WithoutTrailingSlashes(home) : std::string();
}

std::string GetDataHomeFolder()
{
    const std::string home = GetHomeFolder();
    if (home.empty())
        return {};
    const char* data = std::getenv("XDG_DATA_HOME");
    return data && data[0] == '/' ? WithoutTrailingSlashes(data) : home + "/.local/share";
}

std::string GetDocumentsFolder()
{
    const std::string home = GetHomeFolder();
    if (home.empty())
        return {};
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string configFolder = config && config[0] == '/' ? std::string(config) : home + "/.config";
    std::string folder = DocumentsEntry(ReadSmallFile(configFolder + "/user-dirs.dirs"), home);
    if (folder.empty() && IsFolder(home + "/Documents"))
        folder = home + "/Documents";
    return folder.empty() ? home : folder;
}

}
