#include "update/InstallTargets.h"

#include <array>
#include <vector>

namespace {

char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

// The components of a path that name something: empty and "." ones are
// dropped, since "data\\x" and "data\.\x" name the same file.
std::vector<std::string_view> NamedComponents(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view part = path.substr(start, end - start);
        if (!part.empty() && part != ".")
            parts.push_back(part);
        start = end + 1;
    }
    return parts;
}

}

bool IsPathInsideFolder(std::string_view path)
{
    if (path.empty() || path.front() == '\\' || path.front() == '/')
        return false;
    if (path.find(':') != std::string_view::npos)
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = path.size();
        if (path.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

std::string_view RelativeToFolder(std::string_view target, std::string_view folder)
{
    if (folder.empty() || target.size() <= folder.size())
        return {};
    if (FoldAscii(target[0]) != FoldAscii(folder[0]) || target.substr(1, folder.size() - 1) != folder.substr(1))
        return {};
    return target.substr(folder.size());
}

bool IsAllowedDestination(std::string_view target, std::string_view exeFolder, std::string_view programFiles)
{
    for (std::string_view folder : { exeFolder, programFiles }) {
        std::string_view relative = RelativeToFolder(target, folder);
        if (!relative.empty() && IsPathInsideFolder(relative))
            return true;
    }
    return false;
}

std::string LocateDestination(std::string_view target, std::string_view exeFolder)
{
    const bool rooted = !target.empty() && (target.front() == '\\' || target.front() == '/');
    const bool drive = target.size() >= 2 && target[1] == ':';
    if (rooted || drive)
        return std::string(target);
    return std::string(exeFolder) + std::string(target);
}

bool IsUpdateWorkingName(std::string_view relativePath)
{
    // The updater's lock and log belong to it as much as these to the update.
    static constexpr std::array<std::string_view, 7> kNames { "data_tmp.dat", "unpack_tmp", "update.txt",
        "update2.txt", "update-debug.log", "nplv.lock", "nplv.log" };
    std::vector<std::string_view> parts = NamedComponents(relativePath);
    if (parts.size() < 2 || !EqualsIgnoringAsciiCase(parts[0], "data"))
        return false;
    for (std::string_view name : kNames) {
        if (EqualsIgnoringAsciiCase(parts[1], name))
            return true;
    }
    return false;
}
