#pragma once

// A program folder for the updater in a temporary folder: lv.exe (a copy of
// a real program of this machine that runs as long as it is told), data\,
// and the updater's log read back as program text without its time stamps.

#include "platform/text/Cp936.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lvtest {

// Two different programs of this machine: the "old" lv.exe and the "new".
inline const char* const kOldProgram = "/bin/sleep";
inline const char* const kNewProgram = "/bin/true";

class ProgramFolder {
public:
    ProgramFolder()
    {
        std::filesystem::create_directory(m_temp.Native("data"));
        std::filesystem::copy_file(kOldProgram, Native("lv.exe"));
    }

    std::string Native(const std::string& relative = {}) const { return m_temp.Native(relative); }
    // The Windows path of the folder, ending in a backslash.
    std::string Windows() const { return m_temp.Windows() + "\\"; }

    void StageNewProgram() const { WriteNative(Native("data/lv.exe"), ReadNative(kNewProgram)); }

    // The log's lines without their "YYYY-MM-DD HH:MM:SS " prefix; a line
    // whose prefix is malformed is kept whole, so it fails comparisons.
    std::vector<std::string> LogLines() const
    {
        std::string text = plat::Cp936ToUtf8(ReadNative(Native("data/nplv.log"))).text;
        std::vector<std::string> lines;
        for (std::size_t at = 0; at < text.size();) {
            std::size_t end = text.find("\r\n", at);
            std::string line = text.substr(at, end - at);
            bool stamped = line.size() > 20 && line[4] == '-' && line[10] == ' ' && line[13] == ':' && line[19] == ' ';
            lines.push_back(stamped ? line.substr(20) : line);
            at = end == std::string::npos ? text.size() : end + 2;
        }
        return lines;
    }

private:
    TempFolder m_temp;
};

inline bool IsExecutableFile(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ignored;
    auto status = fs::symlink_status(path, ignored);
    return fs::is_regular_file(status) && (status.permissions() & fs::perms::owner_exec) != fs::perms::none;
}

}
