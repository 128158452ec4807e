#include "update/SelfUpdate.h"

#include "UpdateRunFolder.h"
#include "localdata/Paths.h"
#include "platform/sys/ShellOpen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include <sys/stat.h>

namespace {

// The exit steps run in a copy of this test binary named lv.exe, so that the
// executable's folder is the test's folder, as it is for the program.
constexpr const char* kChildVariable = "LV_EXIT_STEPS_CHILD";

TEST(ExitStepsChild, RunsTheExitStepsTwice)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "runs only inside the copies that the ExitSteps tests start";
    EnterExeFolder();
    const int first = ExitUpdate();
    const int second = ExitUpdate();
    std::printf("exit-update: %d %d\n", first, second);
}

class ExitSteps : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::copy_file("/proc/self/exe", folder.Native("lv.exe"));
        folder.Write("nplv.exe", "#!/bin/sh\necho \"$*\" >> \"$(dirname \"$0\")/nplv-args.txt\"\n");
        std::filesystem::permissions(folder.Native("nplv.exe"), std::filesystem::perms::owner_all);
        for (const char* name : { "data/test_1.zip", "data/test_b.zip", "data/test_1.txt", "data/Test.zip" })
            folder.Write(name, "archive");
    }

    // The results of the child's two ExitUpdate calls, "first second".
    std::string RunChild()
    {
        const std::string command = "cd '" + folder.Native() + "' && " + kChildVariable
            + "=1 timeout 30 ./lv.exe --gtest_filter=ExitStepsChild.* 2>&1";
        std::FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return "no child";
        std::string output;
        char chunk[4096];
        while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe))
            output.append(chunk, n);
        pclose(pipe);
        const std::size_t at = output.find("exit-update: ");
        return at == std::string::npos ? output : output.substr(at + 13, 3);
    }

    // What the stub updater recorded for the child. A marker run is started
    // after the child the way the child starts the updater; once its line is
    // there, so is that of any start the child made before it ended. A start
    // that is expected is waited for as well.
    std::string UpdaterArguments(bool expectStart)
    {
        EXPECT_EQ(plat::ShellOpen(folder.Windows() + "nplv.exe", "marker"), 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::string recorded;
        for (;;) {
            recorded = folder.Read("nplv-args.txt");
            const bool complete = recorded.find("marker\n") != std::string::npos
                && (!expectStart || recorded.find("update\n") != std::string::npos);
            if (complete || std::chrono::steady_clock::now() > deadline)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (std::size_t marker = recorded.find("marker\n"); marker != std::string::npos)
            recorded.erase(marker, 7);
        else
            ADD_FAILURE() << "the marker run recorded nothing";
        return recorded;
    }

    void ExpectTestZipsDeleted()
    {
        EXPECT_FALSE(folder.Exists("data/test_1.zip"));
        EXPECT_FALSE(folder.Exists("data/test_b.zip"));
        EXPECT_TRUE(folder.Exists("data/test_1.txt"));
        EXPECT_TRUE(folder.Exists("data/Test.zip"));
    }

    UpdateRunFolder folder;
};

TEST_F(ExitSteps, NoStagedCopyStartsNothing)
{
    EXPECT_EQ(RunChild(), "0 0");
    EXPECT_EQ(UpdaterArguments(false), "");
    ExpectTestZipsDeleted();
}

TEST_F(ExitSteps, IdenticalStagedCopyStartsNothing)
{
    std::filesystem::copy_file(folder.Native("lv.exe"), folder.Native("data/lv.exe"));
    EXPECT_EQ(RunChild(), "0 0");
    EXPECT_EQ(UpdaterArguments(false), "");
    ExpectTestZipsDeleted();
}

TEST_F(ExitSteps, DifferentStagedCopyStartsTheUpdaterOnce)
{
    folder.Write("data/lv.exe", "a newer program");
    EXPECT_EQ(RunChild(), "1 0");
    EXPECT_EQ(UpdaterArguments(true), "update\n");
    ExpectTestZipsDeleted();
}

TEST_F(ExitSteps, AFifoAtTheStagedNameDoesNotHoldUpTheExit)
{
    ASSERT_EQ(::mkfifo(folder.Native("data/lv.exe").c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    // Unreadable, so it differs from lv.exe: the updater decides what to do.
    EXPECT_EQ(RunChild(), "1 0");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    ExpectTestZipsDeleted();
}

TEST(NeedsSelfUpdate, ComparesTheStagedCopyWithLvExe)
{
    UpdateRunFolder folder;
    EXPECT_EQ(NeedsSelfUpdate(), 0);
    folder.Write("data/lv.exe", "v2");
    EXPECT_EQ(NeedsSelfUpdate(), 1) << "lv.exe missing";
    folder.Write("lv.exe", "v2");
    EXPECT_EQ(NeedsSelfUpdate(), 0);
    folder.Write("lv.exe", "v1");
    EXPECT_EQ(NeedsSelfUpdate(), 1);
}

}
