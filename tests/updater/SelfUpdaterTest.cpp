#include "updater/SelfUpdater.h"

#include "updater/ProgramFolder.h"
#include "updater/UpdaterLog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using lvtest::IsExecutableFile;
using lvtest::kNewProgram;
using lvtest::kOldProgram;
using lvtest::ProgramFolder;
using lvtest::ReadNative;
using lvtest::WriteNative;
namespace fs = std::filesystem;

namespace {

// A shared library this process has loaded (the updater links zlib): an
// ELF file of this machine that is not a program.
std::string LoadedLibrary(const std::string& name)
{
    std::istringstream maps(ReadNative("/proc/self/maps"));
    for (std::string line; std::getline(maps, line);) {
        const std::size_t path = line.find('/');
        if (path != std::string::npos && line.find("/" + name, path) != std::string::npos)
            return ReadNative(line.substr(path));
    }
    return {};
}

UpdaterOptions QuickOptions()
{
    UpdaterOptions options;
    options.waitLimitMs = 1000;
    options.pollMs = 20;
    return options;
}

// The folder's lv.exe run as a child process for `seconds`; ended and
// reaped when the object goes unless WaitForEnd() reaped it.
class RunningProgram {
public:
    RunningProgram(const std::string& exe, const char* seconds)
    {
        // The pipe closes when the child's exec succeeds: from then on it
        // runs lv.exe.
        int execed[2];
        if (::pipe2(execed, O_CLOEXEC) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::execl(exe.c_str(), "lv.exe", seconds, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(execed[1]);
        char ignored;
        while (::read(execed[0], &ignored, 1) > 0) { }
        ::close(execed[0]);
    }
    ~RunningProgram()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        WaitForEnd();
    }
    bool Started() const { return m_pid > 0; }
    void WaitForEnd()
    {
        if (m_pid > 0)
            ::waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }

private:
    pid_t m_pid = -1;
};

}

TEST(SelfUpdater, ReplacesLvExeKeepingTheOldOneAndTheStagedCopy)
{
    ProgramFolder folder;
    folder.StageNewProgram();
    fs::permissions(folder.Native("data/lv.exe"), fs::perms(0644));
    // What a run killed while copying left behind (no process has that id).
    WriteNative(folder.Native(".lv.exe.new.lvtmp-2147483646-0-1"), "half a program");

    EXPECT_EQ(RunSelfUpdate(folder.Windows(), QuickOptions()), UpdaterResult::Replaced);

    EXPECT_EQ(ReadNative(folder.Native("lv.exe")), ReadNative(kNewProgram));
    EXPECT_TRUE(IsExecutableFile(folder.Native("lv.exe"))) << "a staged copy without execute bits still runs";
    EXPECT_EQ(ReadNative(folder.Native("lv.exe.old")), ReadNative(kOldProgram));
    EXPECT_EQ(ReadNative(folder.Native("data/lv.exe")), ReadNative(kNewProgram)) << "kept for the exit check";
    EXPECT_FALSE(lvtest::Exists(folder.Native("lv.exe.new")));
    EXPECT_FALSE(lvtest::Exists(folder.Native(".lv.exe.new.lvtmp-2147483646-0-1")));
    EXPECT_EQ(folder.LogLines(), std::vector<std::string>({ "lv.exe 已更新为 data\\lv.exe,原来的保存为 lv.exe.old" }));

    // The next run finds the two equal; each run adds its own line.
    EXPECT_EQ(RunSelfUpdate(folder.Windows(), QuickOptions()), UpdaterResult::SameVersion);
    EXPECT_EQ(folder.LogLines().size(), 2u);
    EXPECT_EQ(folder.LogLines().back(), "data\\lv.exe 与 lv.exe 相同,无需更新");
}

// Whatever is wrong with the staged copy or lv.exe, nothing is replaced or
// left behind and the log says why.
TEST(SelfUpdater, LeavesEverythingAsItWasWhenThereIsNothingToInstall)
{
    const std::string elf = ReadNative(kNewProgram);
    auto staged = [](const std::string& bytes) {
        return [bytes](const ProgramFolder& f) { WriteNative(f.Native("data/lv.exe"), bytes); };
    };
    std::string otherMachine = elf;
    otherMachine[18] = static_cast<char>(otherMachine[18] == 0x3e ? 0xb7 : 0x3e); // x86-64 <-> AArch64
    otherMachine[19] = 0;
    struct Case {
        const char* name;
        std::function<void(const ProgramFolder&)> setUp;
        UpdaterResult result;
        const char* line;
    };
    const Case cases[] = {
        { "nothing staged", [](const ProgramFolder&) {}, UpdaterResult::NothingStaged, "没有 data\\lv.exe,无需更新" },
        { "staged equals lv.exe", staged(ReadNative(kOldProgram)), UpdaterResult::SameVersion,
            "data\\lv.exe 与 lv.exe 相同,无需更新" },
        { "text", staged("MZ this is not a program\r\n"), UpdaterResult::Rejected, "data\\lv.exe 不是可执行程序,未更新" },
        { "empty", staged(""), UpdaterResult::Rejected, "data\\lv.exe 是空文件,未更新" },
        { "truncated program", staged(elf.substr(0, elf.size() / 2)), UpdaterResult::Rejected,
            "data\\lv.exe 不完整,未更新" },
        { "header only", staged(elf.substr(0, 30)), UpdaterResult::Rejected, "data\\lv.exe 不完整,未更新" },
        { "shared library", staged(LoadedLibrary("libz.so")), UpdaterResult::Rejected,
            "data\\lv.exe 不是可执行程序,未更新" },
        { "other machine", staged(otherMachine), UpdaterResult::Rejected, "data\\lv.exe 不是本机可以运行的程序,未更新" },
        { "symbolic link",
            [](const ProgramFolder& f) { fs::create_symlink(kNewProgram, f.Native("data/lv.exe")); },
            UpdaterResult::Rejected, "data\\lv.exe 是符号链接,未更新" },
        { "folder", [](const ProgramFolder& f) { fs::create_directory(f.Native("data/lv.exe")); },
            UpdaterResult::Rejected, "data\\lv.exe 是文件夹,未更新" },
        { "2 GB",
            [elf](const ProgramFolder& f) {
                WriteNative(f.Native("data/lv.exe"), elf);
                fs::resize_file(f.Native("data/lv.exe"), 2ull << 30); // sparse: takes no space
            },
            UpdaterResult::Rejected, "data\\lv.exe 大于 256 MB,未更新" },
        { "lv.exe is a symbolic link",
            [](const ProgramFolder& f) {
                fs::remove(f.Native("lv.exe"));
                fs::create_symlink(kOldProgram, f.Native("lv.exe"));
                f.StageNewProgram();
            },
            UpdaterResult::Rejected, "lv.exe 是符号链接,未更新" },
        { "no lv.exe",
            [](const ProgramFolder& f) {
                fs::remove(f.Native("lv.exe"));
                f.StageNewProgram();
            },
            UpdaterResult::Rejected, "lv.exe 不存在,未更新" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder folder;
        c.setUp(folder);
        std::error_code ignored;
        auto before = fs::symlink_status(folder.Native("lv.exe"), ignored).type();
        std::string bytes = ReadNative(folder.Native("lv.exe"));

        EXPECT_EQ(RunSelfUpdate(folder.Windows(), QuickOptions()), c.result);

        EXPECT_EQ(fs::symlink_status(folder.Native("lv.exe"), ignored).type(), before);
        EXPECT_EQ(ReadNative(folder.Native("lv.exe")), bytes);
        EXPECT_FALSE(lvtest::Exists(folder.Native("lv.exe.old")));
        EXPECT_FALSE(lvtest::Exists(folder.Native("lv.exe.new")));
        EXPECT_EQ(folder.LogLines(), std::vector<std::string>({ c.line }));
    }
}

TEST(SelfUpdater, WaitsForTheRunningProgramThenReplacesItOrGivesUp)
{
    ProgramFolder folder;
    folder.StageNewProgram();
    {
        RunningProgram program(folder.Native("lv.exe"), "30");
        ASSERT_TRUE(program.Started());
        UpdaterOptions options = QuickOptions();
        options.waitLimitMs = 300;
        EXPECT_EQ(RunSelfUpdate(folder.Windows(), options), UpdaterResult::StillRunning);
        EXPECT_EQ(ReadNative(folder.Native("lv.exe")), ReadNative(kOldProgram));
        EXPECT_EQ(folder.LogLines().back(), "lv.exe 仍在运行,等待 0 秒后放弃,未做任何更改");
    }

    auto started = std::chrono::steady_clock::now();
    RunningProgram program(folder.Native("lv.exe"), "1");
    ASSERT_TRUE(program.Started());
    UpdaterOptions options = QuickOptions();
    options.waitLimitMs = 10000;
    bool checkedWhileRunning = false;
    options.atStep = [&](std::string_view step) {
        if (step == "waited")
            checkedWhileRunning = std::chrono::steady_clock::now() - started >= std::chrono::milliseconds(900);
    };
    std::thread reaper([&] { program.WaitForEnd(); }); // an ended child must not linger as ours
    EXPECT_EQ(RunSelfUpdate(folder.Windows(), options), UpdaterResult::Replaced);
    reaper.join();
    EXPECT_TRUE(checkedWhileRunning) << "the run went on before lv.exe had ended";
    EXPECT_EQ(ReadNative(folder.Native("lv.exe")), ReadNative(kNewProgram));
}

TEST(UpdaterLog, LinesAreStampedInLocalTimeAndWrittenInCodePage936)
{
    std::tm moment {};
    moment.tm_year = 2026 - 1900;
    moment.tm_mon = 0;
    moment.tm_mday = 2;
    moment.tm_hour = 3;
    moment.tm_min = 4;
    moment.tm_sec = 5;
    moment.tm_isdst = -1;
    EXPECT_EQ(UpdaterLogLine(std::mktime(&moment), "完成"), "2026-01-02 03:04:05 完成");

    ProgramFolder folder;
    AppendUpdaterLog(folder.Windows(), "更新");
    std::string bytes = ReadNative(folder.Native("data/nplv.log"));
    ASSERT_EQ(bytes.size(), 19u + 1 + 4 + 2);
    EXPECT_EQ(bytes.substr(20), "\xb8\xfc\xd0\xc2\r\n");
}
