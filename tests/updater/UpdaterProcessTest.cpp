// nplv.exe itself, copied into temporary program folders and run as a
// process: started twice at once, and killed at each step of a run.

#include "updater/ProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using lvtest::IsExecutableFile;
using lvtest::kNewProgram;
using lvtest::kOldProgram;
using lvtest::ProgramFolder;
using lvtest::ReadNative;

namespace {

// nplv.exe started in the folder with "update"; with a pause step it stops
// there, and Reached() waits for it to say so.
class Updater {
public:
    Updater(const ProgramFolder& folder, const char* pauseAt = nullptr)
    {
        std::string exe = folder.Native("nplv.exe");
        if (!lvtest::Exists(exe))
            std::filesystem::copy_file(LV_NPLV_EXE, exe);
        int out[2];
        if (::pipe(out) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(out[0]);
            ::dup2(out[1], 1);
            if (pauseAt)
                ::setenv("LUMIVEX_UPDATER_PAUSE", pauseAt, 1);
            else
                ::unsetenv("LUMIVEX_UPDATER_PAUSE");
            ::execl(exe.c_str(), "nplv.exe", "update", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        m_out = out[0];
    }
    ~Updater()
    {
        Kill();
        if (m_out >= 0)
            ::close(m_out);
    }

    std::string Reached()
    {
        std::string said;
        char c;
        while (::read(m_out, &c, 1) == 1 && c != '\n')
            said += c;
        return said;
    }
    bool Started() const { return m_pid > 0; }
    int Wait()
    {
        int status = 0;
        if (m_pid <= 0)
            return -1;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void Kill()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            Wait();
        }
    }

private:
    pid_t m_pid = -1;
    int m_out = -1;
};

}

TEST(UpdaterProcess, ASecondUpdaterLeavesWhileTheFirstHoldsTheLock)
{
    ProgramFolder folder;
    folder.StageNewProgram();
    Updater first(folder, "locked");
    ASSERT_EQ(first.Reached(), "locked");

    Updater second(folder);
    EXPECT_EQ(second.Wait(), 1);
    EXPECT_EQ(ReadNative(folder.Native("lv.exe")), ReadNative(kOldProgram));
    EXPECT_EQ(folder.LogLines(), std::vector<std::string>({ "另一个 nplv.exe 正在更新,本次未做任何更改" }));

    // Killed, the first leaves its lock file behind; the lock is gone with it.
    first.Kill();
    EXPECT_EQ(Updater(folder).Wait(), 0);
    EXPECT_EQ(ReadNative(folder.Native("lv.exe")), ReadNative(kNewProgram));
}

TEST(UpdaterProcess, KilledAtAnyStepLeavesARunnableLvExeAndTheNextRunFinishes)
{
    const std::string oldBytes = ReadNative(kOldProgram);
    const std::string newBytes = ReadNative(kNewProgram);
    for (const char* step : { "locked", "waited", "checked", "copied", "kept-old", "replaced" }) {
        SCOPED_TRACE(step);
        ProgramFolder folder;
        folder.StageNewProgram();
        Updater cut(folder, step);
        ASSERT_EQ(cut.Reached(), step);
        cut.Kill();

        std::string now = ReadNative(folder.Native("lv.exe"));
        EXPECT_TRUE(now == oldBytes || now == newBytes) << "lv.exe is neither the old nor the new program";
        EXPECT_TRUE(IsExecutableFile(folder.Native("lv.exe")));

        EXPECT_EQ(Updater(folder).Wait(), 0);
        EXPECT_EQ(ReadNative(folder.Native("lv.exe")), newBytes);
        EXPECT_TRUE(IsExecutableFile(folder.Native("lv.exe")));
        EXPECT_EQ(ReadNative(folder.Native("lv.exe.old")), oldBytes);
        EXPECT_FALSE(lvtest::Exists(folder.Native("lv.exe.new")));
    }
}

// In a folder named "b\x" every Windows path of the run would lead into
// b/x, another program folder: the updater changes nothing in either and,
// its own log being out of reach, says why on standard error.
TEST(UpdaterProcess, InAFolderWithoutAWindowsNameItDoesNothing)
{
    lvtest::TempFolder scratch;
    for (const char* folder : { "b\\x", "b/x" }) {
        std::filesystem::create_directories(scratch.Native(folder) + "/data");
        std::filesystem::copy_file(kOldProgram, scratch.Native(folder) + "/lv.exe");
        std::filesystem::copy_file(kNewProgram, scratch.Native(folder) + "/data/lv.exe");
    }
    const std::string exe = scratch.Native("b\\x/nplv.exe");
    std::filesystem::copy_file(LV_NPLV_EXE, exe);
    std::FILE* pipe = ::popen(("cd '" + scratch.Native() + "' && '" + exe + "' update 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string said;
    char chunk[512];
    while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe))
        said.append(chunk, n);
    const int status = ::pclose(pipe);

    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << said;
    EXPECT_EQ(said, "nplv.exe: 程序所在的文件夹名含有 '\\' 或 ':',无法按 Windows 路径找到它;未做任何更改\n");
    for (const char* folder : { "b\\x", "b/x" }) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(ReadNative(scratch.Native(folder) + "/lv.exe"), ReadNative(kOldProgram));
        EXPECT_FALSE(lvtest::Exists(scratch.Native(folder) + "/data/nplv.log"));
        EXPECT_FALSE(lvtest::Exists(scratch.Native(folder) + "/data/nplv.lock"));
        EXPECT_FALSE(lvtest::Exists(scratch.Native(folder) + "/lv.exe.old"));
    }
}
