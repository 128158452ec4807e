#pragma once

// A world for starting programs and opening pages, while in scope: a
// temporary registry store, drive C:, working directory (with data\) and
// "Program Files", and a recording xdg-open first on PATH. Every recording
// stand-in logs to Log() (see RecordingProgram.h).

#include "platform/fs/PathMap.h"
#include "platform/sys/ShellOpen.h"
#include "support/DriveMapping.h"
#include "support/RecordingProgram.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace lvtest {

class SiblingWorld {
public:
    SiblingWorld()
    {
        m_oldCwd = std::filesystem::current_path();
        m_oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        std::filesystem::create_directories(m_root.Native("work/data"));
        std::filesystem::current_path(m_root.Native("work"));
        ::setenv("LUMIVEX_REGISTRY", m_root.Native("registry.reg").c_str(), 1);
        ::setenv("ProgramFiles", "C:\\Program Files", 1);
        ::setenv("PATH", (m_root.Native("bin") + ":" + m_oldPath).c_str(), 1);
        WriteRecordingProgram(Opener(), Log());
    }
    ~SiblingWorld()
    {
        std::filesystem::current_path(m_oldCwd);
        ::setenv("PATH", m_oldPath.c_str(), 1);
        ::unsetenv("LUMIVEX_REGISTRY");
        ::unsetenv("ProgramFiles");
    }
    SiblingWorld(const SiblingWorld&) = delete;
    SiblingWorld& operator=(const SiblingWorld&) = delete;

    const TempFolder& Root() const { return m_root; }
    std::string Log() const { return m_root.Native("runs.log"); }
    std::string Opener() const { return m_root.Native("bin/xdg-open"); }

    void Registry(const std::string& sections) { WriteNative(m_root.Native("registry.reg"), "REGEDIT4\n" + sections); }
    void MainHtm(const std::string& text) { WriteNative(m_root.Native("work/data/main.htm"), text); }
    // A recording program at `relative` below the root; its Linux path.
    std::string InstallAt(const std::string& relative)
    {
        WriteRecordingProgram(m_root.Native(relative), Log());
        return m_root.Native(relative);
    }
    // The runs recorded once there are `count` (or after 30 s), and the log emptied.
    std::vector<std::string> TakeRuns(std::size_t count)
    {
        std::vector<std::string> runs = WaitForRuns(Log(), count);
        std::filesystem::remove(Log());
        return runs;
    }
    // True when nothing was started: a marker program, started now the way
    // the program starts others, is then the only run recorded once its line
    // is there. The log is emptied.
    bool NothingRuns()
    {
        const std::string marker = m_root.Native("bin/marker");
        WriteRecordingProgram(marker, Log());
        const bool started = plat::ShellOpen(plat::WindowsPath(marker)) == 0;
        const std::vector<std::string> runs = started ? TakeRuns(1) : std::vector<std::string> {};
        return started && runs == std::vector<std::string> { marker };
    }

private:
    TempFolder m_root;
    DriveMapping m_driveC { 'C', m_root.Native("c") };
    std::filesystem::path m_oldCwd;
    std::string m_oldPath;
};

}
