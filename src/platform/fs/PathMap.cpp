#include "platform/fs/PathMap.h"

#include "platform/fs/CurrentDirectory.h"

#include <cctype>
#include <cstdlib>

namespace plat {

namespace {

// Folder that holds drive `letter`, without a trailing slash ("" for Z:, the
// root). nullopt when the drive does not exist.
std::optional<std::string> DriveFolder(char letter)
{
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    if (letter < 'A' || letter > 'Z')
        return std::nullopt;
    // Z: is always the root: a folder for it could not be mapped back, as
    // Linux paths outside that folder would have no Windows name.
    if (letter == 'Z')
        return std::string();
    std::string var = "LUMIVEX_DRIVE_";
    var += letter;
    if (const char* folder = std::getenv(var.c_str()); folder && *folder) {
        std::string f = folder;
        while (f.size() > 1 && f.back() == '/')
            f.pop_back();
        if (f == "/")
            f.clear();
        return f;
    }
    return std::nullopt;
}

std::string Slashed(std::string_view path)
{
    std::string out(path);
    for (char& c : out) {
        if (c == '\\')
            c = '/';
    }
    return out;
}

}

std::optional<std::string> NativePath(std::string_view path)
{
    if (path.empty() || path.find('\0') != std::string_view::npos)
        return std::nullopt;
    // As on Windows, a colon may only follow a drive letter.
    size_t colon = path.find(':');
    if (colon != std::string_view::npos && (colon != 1 || path.find(':', 2) != std::string_view::npos))
        return std::nullopt;
    if (path.size() >= 2 && path[1] == ':') {
        auto folder = DriveFolder(path[0]);
        if (!folder)
            return std::nullopt;
        std::string rest = Slashed(path.substr(2));
        if (rest.empty() || rest.front() != '/')
            rest.insert(rest.begin(), '/');
        return *folder + rest;
    }
    if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/'))
        return std::nullopt;
    if (path[0] == '\\' || path[0] == '/') {
        auto folder = DriveFolder('Z');
        return *folder + Slashed(path);
    }
    if (!HasCurrentDirectory())
        return std::nullopt;
    return Slashed(path);
}

std::string WindowsPath(std::string_view nativePath)
{
    std::string native(nativePath);
    if (native.empty() || native.front() != '/') {
        for (char& c : native) {
            if (c == '/')
                c = '\\';
        }
        return native;
    }
    char bestDrive = 'Z';
    size_t bestLength = 0;
    for (char letter = 'A'; letter < 'Z'; ++letter) {
        auto folder = DriveFolder(letter);
        if (!folder || folder->size() <= bestLength)
            continue;
        if (native.compare(0, folder->size(), *folder) == 0
            && (native.size() == folder->size() || native[folder->size()] == '/')) {
            bestDrive = letter;
            bestLength = folder->size();
        }
    }
    std::string out;
    out += bestDrive;
    out += ':';
    out += native.substr(bestLength);
    if (out.size() == 2)
        out += '/';
    for (char& c : out) {
        if (c == '/')
            c = '\\';
    }
    return out;
}

std::FILE* OpenFile(std::string_view windowsPath, const char* mode)
{
    auto native = NativePath(windowsPath);
    if (!native || !mode)
        return nullptr;
    // 'e': close-on-exec, so a program started later inherits no open file.
    return std::fopen(native->c_str(), (std::string(mode) + "e").c_str());
}

}
