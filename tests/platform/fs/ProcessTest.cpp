#include "platform/fs/Process.h"
#include "platform/fs/CurrentDirectory.h"

#include "support/DriveMapping.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

using namespace plat;
using lvtest::DriveMapping;
using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

// Restores the test process's working directory.
class KeepCurrentDirectory {
public:
    ~KeepCurrentDirectory() { std::filesystem::current_path(m_saved); }

private:
    std::filesystem::path m_saved = std::filesystem::current_path();
};

}

TEST(CurrentDirectory, SetAndGetUseWindowsPathsOnMappedDrives)
{
    KeepCurrentDirectory keep;
    TempFolder scratch;
    std::filesystem::create_directories(scratch.Native("games/lv"));
    DriveMapping c('C', scratch.Native());

    EXPECT_TRUE(SetCurrentDirectory("C:\\games\\lv\\"));
    EXPECT_EQ(GetCurrentDirectory(), "C:\\games\\lv");
    WriteNative("here.txt", "x");
    EXPECT_TRUE(lvtest::Exists(scratch.Native("games/lv/here.txt"))) << "relative paths resolve there";

    EXPECT_TRUE(SetCurrentDirectory("C:\\"));
    EXPECT_EQ(GetCurrentDirectory(), "C:\\");
    EXPECT_TRUE(SetCurrentDirectory("games"));
    EXPECT_EQ(GetCurrentDirectory(), "C:\\games");

    EXPECT_FALSE(SetCurrentDirectory("C:\\missing\\"));
    EXPECT_FALSE(SetCurrentDirectory("C:\\games\\lv\\here.txt"));
    EXPECT_FALSE(SetCurrentDirectory(""));
    EXPECT_FALSE(SetCurrentDirectory("Q:\\"));
    EXPECT_EQ(GetCurrentDirectory(), "C:\\games") << "a failed call keeps the old directory";
}

TEST(Process, ModuleFileNameIsTheRunningExecutableOnItsDrive)
{
    std::string exe = std::filesystem::canonical("/proc/self/exe").string();
    std::string expected = "Z:" + exe;
    std::replace(expected.begin(), expected.end(), '/', '\\');
    EXPECT_EQ(GetModuleFileName(), expected);
    DriveMapping e('E', std::filesystem::path(exe).parent_path().string());
    std::string name = std::filesystem::path(exe).filename().string();
    EXPECT_EQ(GetModuleFileName(), "E:\\" + name);
    EXPECT_TRUE(ModuleFileNameRoundTrips());
}

TEST(Process, EnvironmentVariablesAndBadNames)
{
    ::setenv("LV_TEST_VALUE", "D:\\Program Files", 1);
    EXPECT_EQ(GetEnvironmentVariable("LV_TEST_VALUE"), "D:\\Program Files");
    ::setenv("LV_TEST_VALUE", "", 1);
    EXPECT_EQ(GetEnvironmentVariable("LV_TEST_VALUE"), "");
    ::unsetenv("LV_TEST_VALUE");
    EXPECT_EQ(GetEnvironmentVariable("LV_TEST_VALUE"), std::nullopt);
    EXPECT_EQ(GetEnvironmentVariable(""), std::nullopt);
    EXPECT_EQ(GetEnvironmentVariable("A=B"), std::nullopt);
    EXPECT_EQ(GetEnvironmentVariable(std::string_view("PATH\0X", 6)), std::nullopt);
}

TEST(Process, SleepWaitsAtLeastTheGivenTime)
{
    auto start = std::chrono::steady_clock::now();
    Sleep(30);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}
