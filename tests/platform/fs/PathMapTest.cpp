#include "platform/fs/PathMap.h"

#include <gtest/gtest.h>

#include <cstdlib>

using plat::NativePath;
using plat::WindowsPath;

TEST(PathMap, DriveZIsTheRootAndOtherDrivesNeedAFolder)
{
    unsetenv("LUMIVEX_DRIVE_C");
    EXPECT_EQ(NativePath("Z:\\home\\u\\lv\\"), "/home/u/lv/");
    EXPECT_EQ(NativePath("z:\\"), "/");
    EXPECT_EQ(NativePath("C:\\games\\lv\\"), std::nullopt);
    setenv("LUMIVEX_DRIVE_C", "/tmp/drive-c/", 1);
    EXPECT_EQ(NativePath("C:\\games\\lv\\"), "/tmp/drive-c/games/lv/");
    EXPECT_EQ(NativePath("c:/games"), "/tmp/drive-c/games");
    EXPECT_EQ(NativePath("C:\\"), "/tmp/drive-c/");
    unsetenv("LUMIVEX_DRIVE_C");
    // Z: cannot be moved: its paths must map back the same way.
    setenv("LUMIVEX_DRIVE_Z", "/tmp/drive-z", 1);
    EXPECT_EQ(NativePath("Z:\\home\\u\\lv\\"), "/home/u/lv/");
    EXPECT_EQ(WindowsPath("/home/u/lv"), "Z:\\home\\u\\lv");
    EXPECT_EQ(WindowsPath("/tmp/drive-z/x"), "Z:\\tmp\\drive-z\\x");
    unsetenv("LUMIVEX_DRIVE_Z");
}

TEST(PathMap, RelativeAndOddPaths)
{
    EXPECT_EQ(NativePath("data\\main.htm"), "data/main.htm");
    EXPECT_EQ(NativePath("\\etc\\hosts"), "/etc/hosts");
    EXPECT_EQ(NativePath(""), std::nullopt);
    EXPECT_EQ(NativePath("\\\\server\\share"), std::nullopt);
    EXPECT_EQ(NativePath("1:\\x"), std::nullopt);
    EXPECT_EQ(NativePath(":\\x\\"), std::nullopt);
    EXPECT_EQ(NativePath("ab:\\x\\"), std::nullopt);
    EXPECT_EQ(NativePath("Z:\\a:b"), std::nullopt);
    EXPECT_EQ(NativePath(std::string_view("Z:\\a\0b", 6)), std::nullopt);
}

TEST(PathMap, WindowsPathPrefersTheClosestMappedDrive)
{
    setenv("LUMIVEX_DRIVE_D", "/tmp/dd", 1);
    EXPECT_EQ(WindowsPath("/home/u/lv.exe"), "Z:\\home\\u\\lv.exe");
    EXPECT_EQ(WindowsPath("/tmp/dd/x/lv.exe"), "D:\\x\\lv.exe");
    EXPECT_EQ(WindowsPath("/tmp/dd"), "D:\\");
    EXPECT_EQ(WindowsPath("/tmp/ddx/a"), "Z:\\tmp\\ddx\\a");
    EXPECT_EQ(WindowsPath("/"), "Z:\\");
    EXPECT_EQ(WindowsPath("data/x"), "data\\x");
    unsetenv("LUMIVEX_DRIVE_D");
}
