#pragma once

// Stand-ins for programs the code under test starts (a browser, xdg-open, a
// sibling program): shell scripts that append one line per run to a shared
// log, "<their path> <arg1> <arg2> ...", each argument in angle brackets, so
// a test sees the argument vector exactly as it was passed.

#include "support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace lvtest {

inline void WriteRecordingProgram(const std::string& nativePath, const std::string& logPath)
{
    std::filesystem::create_directories(std::filesystem::path(nativePath).parent_path());
    WriteNative(nativePath,
        "#!/bin/sh\n"
        "line=\"$0\"\n"
        "for a in \"$@\"; do line=\"$line <$a>\"; done\n"
        "printf '%s\\n' \"$line\" >> '"
            + logPath + "'\n");
    std::filesystem::permissions(nativePath, std::filesystem::perms::owner_all);
}

// The log's lines once it holds `count` of them (waiting up to 30 s for
// detached starts on a loaded machine), or what it holds by then.
inline std::vector<std::string> WaitForRuns(const std::string& logPath, std::size_t count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) {
        lines.clear();
        std::istringstream in(ReadNative(logPath));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        if (lines.size() >= count)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return lines;
}

}
