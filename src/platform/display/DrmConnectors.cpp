#include "platform/display/DrmConnectors.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

constexpr const char* kSystemFolder = "/sys/class/drm";
constexpr std::size_t kStatusMaxBytes = 64;

// At most `limit` bytes of a regular file; empty for anything else. The
// size is not taken from the file's status: sysfs reports 0 for files
// that do hold bytes.
std::string ReadSmallFile(const std::string& path, std::size_t limit)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return {};
    struct stat info { };
    std::string bytes;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.resize(limit);
        std::size_t done = 0;
        while (done < limit) {
            ssize_t n = ::read(fd, bytes.data() + done, limit - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
        bytes.shrink_to_fit(); // kept per connector: not the whole limit
    }
    ::close(fd);
    return bytes;
}

// "card0-HDMI-A-1" -> "HDMI-A-1"; empty for other names ("card0", "version").
std::string ConnectorName(std::string_view entry)
{
    if (!entry.starts_with("card"))
        return {};
    std::size_t i = 4;
    while (i < entry.size() && std::isdigit(static_cast<unsigned char>(entry[i])))
        ++i;
    if (i == 4 || i + 1 >= entry.size() || entry[i] != '-')
        return {};
    return std::string(entry.substr(i + 1));
}

}

std::vector<DrmConnector> ReadDrmConnectors(const std::string& folder)
{
    std::vector<std::pair<std::string, std::string>> entries; // folder name, connector name
    if (DIR* dir = ::opendir(folder.c_str())) {
        const dirent* entry = nullptr;
        while (entries.size() < kMaxDrmConnectors && (entry = ::readdir(dir))) {
            std::string name = ConnectorName(entry->d_name);
            if (!name.empty())
                entries.emplace_back(entry->d_name, std::move(name));
        }
        ::closedir(dir);
    }
    std::sort(entries.begin(), entries.end());

    std::vector<DrmConnector> connectors;
    for (auto& [entry, name] : entries) {
        std::string base = folder + "/" + entry + "/";
        DrmConnector connector;
        connector.name = std::move(name);
        std::string status = ReadSmallFile(base + "status", kStatusMaxBytes);
        connector.connected = status == "connected\n" || status == "connected";
        // One byte past the longest EDID, so an over-long file is seen as such.
        connector.edid = ReadSmallFile(base + "edid", kEdidMaxBytes + 1);
        connectors.push_back(std::move(connector));
    }
    return connectors;
}

std::vector<DrmConnector> ReadDrmConnectors()
{
    const char* folder = std::getenv("LUMIVEX_DRM_DIR");
    return ReadDrmConnectors(folder && *folder ? folder : kSystemFolder);
}

const DrmConnector* MatchConnector(const std::vector<DrmConnector>& connectors, std::string_view outputName)
{
    const DrmConnector* connected = nullptr;
    int count = 0;
    for (const DrmConnector& c : connectors) {
        if (c.connected) {
            connected = &c;
            ++count;
        }
    }
    if (count == 1)
        return connected;
    const DrmConnector* named = nullptr;
    for (const DrmConnector& c : connectors) {
        if (!outputName.empty() && EqualsIgnoringAsciiCase(c.name, outputName)) {
            if (named)
                return nullptr;
            named = &c;
        }
    }
    return named;
}

bool IdentifyMonitor(std::string_view outputName, EdidInfo* info)
{
    std::vector<DrmConnector> connectors = ReadDrmConnectors();
    const DrmConnector* connector = MatchConnector(connectors, outputName);
    if (!connector)
        return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(connector->edid.data());
    return ParseEdid({ bytes, connector->edid.size() }, info) == EdidResult::Ok;
}

}
