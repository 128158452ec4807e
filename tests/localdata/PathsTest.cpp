#include "localdata/Paths.h"

#include "platform/fs/FileOps.h"
#include "support/DriveMapping.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

using lvtest::DriveMapping;
using lvtest::Exists;
using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

// Every folder below `root`, relative to it, '/'-separated and sorted.
std::vector<std::string> FoldersIn(const std::string& root)
{
    std::vector<std::string> folders;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_directory())
            folders.push_back(std::filesystem::relative(entry.path(), root).string());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

using Folders = std::vector<std::string>;

// Environment variable set for the test's duration.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (m_old)
            ::setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

}

TEST(CreateFolderPath, CreatesEveryFolderAlongThePath)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    EXPECT_EQ(CreateFolderPath("C:/games//lv/data/"), 0);
    EXPECT_EQ(FoldersIn(scratch.Native()), (Folders { "games", "games/lv", "games/lv/data" }));
    EXPECT_EQ(CreateFolderPath("C:/games//lv/data/"), 0) << "existing folders are fine";
}

TEST(CreateFolderPath, TheLastComponentIsAFileName)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    std::string path = "C:\\a\\b.txt";
    EXPECT_EQ(CreateFolderPath(path), 0);
    EXPECT_EQ(path, "C:\\a\\b.txt") << "the caller's string is not changed";
    EXPECT_EQ(FoldersIn(scratch.Native()), (Folders { "a" }));
    EXPECT_FALSE(Exists(scratch.Native("a/b.txt")));
}

TEST(CreateFolderPath, RunsOfBackslashesCollapseInPairs)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    // Three become two: C:\a\\b\ leaves an empty step between a and b.
    EXPECT_EQ(CreateFolderPath("C:\\a\\\\\\b\\"), 0);
    EXPECT_EQ(FoldersIn(scratch.Native()), (Folders { "a", "a/b" }));
    EXPECT_EQ(CreateFolderPath("C:\\x\\\\\\\\y\\z"), 0);
    EXPECT_EQ(FoldersIn(scratch.Native()), (Folders { "a", "a/b", "x", "x/y" }));
}

TEST(CreateFolderPath, NoDriveLetterCreatesNothing)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(scratch.Native());
    EXPECT_EQ(CreateFolderPath("data\\x\\"), 1);
    EXPECT_EQ(CreateFolderPath(":\\x\\"), 1);
    EXPECT_EQ(CreateFolderPath(""), 1);
    EXPECT_EQ(CreateFolderPath("ab:\\x\\"), 0) << "a colon further in passes the check";
    EXPECT_EQ(CreateFolderPath("Q:\\unmapped\\"), 0);
    std::filesystem::current_path(saved);
    EXPECT_EQ(FoldersIn(scratch.Native()), Folders {}) << "but no odd folder appears";
}

TEST(CreateFolderPath, AFileInTheWayStopsOnlyItsBranch)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    WriteNative(scratch.Native("data"), "a file named data");
    EXPECT_EQ(CreateFolderPath("C:\\data\\sub\\"), 0);
    EXPECT_EQ(FoldersIn(scratch.Native()), Folders {});
}

TEST(GetProgramFilesDir, EndsInABackslash)
{
    {
        ScopedVariable v("ProgramFiles", "D:\\Program Files");
        EXPECT_EQ(GetProgramFilesDir(), "D:\\Program Files\\");
    }
    {
        ScopedVariable v("ProgramFiles", "D:\\Apps\\");
        EXPECT_EQ(GetProgramFilesDir(), "D:\\Apps\\");
    }
    {
        ScopedVariable v("ProgramFiles", nullptr);
        EXPECT_EQ(GetProgramFilesDir(), "C:\\");
    }
    {
        ScopedVariable v("ProgramFiles", "");
        EXPECT_EQ(GetProgramFilesDir(), "\\");
    }
    {
        std::string longValue = "E:\\" + std::string(400, 'p');
        ScopedVariable v("ProgramFiles", longValue.c_str());
        EXPECT_EQ(GetProgramFilesDir(), longValue + "\\") << "a long value is kept whole";
    }
}

// The helpers that depend on where the executable lives run in a copy of
// this test program placed in a scratch folder: the parent prepares the
// folder, the child (selected by LV_PATHS_CHILD) runs the helper, the parent
// checks the result.
TEST(ExeFolderChild, Run)
{
    const char* mode = std::getenv("LV_PATHS_CHILD");
    if (!mode)
        GTEST_SKIP() << "runs only inside a copied test program";
    std::string expectedFolder = std::getenv("LV_EXPECTED_FOLDER");
    EXPECT_EQ(GetExeFolder(), expectedFolder);
    if (std::string(mode) == "enter") {
        EXPECT_EQ(EnterExeFolder(), expectedFolder);
        EXPECT_EQ(CreateFolderPath(GetExeFolder() + "data\\"), 0);
        WriteNative("data/main.htm", "written relative to the executable's folder");
    } else {
        EXPECT_EQ(DeleteTestZips(), 0);
    }
}

namespace {

int RunChild(const std::string& exe, const char* mode, const std::string& expectedFolder)
{
    std::string command = "LV_PATHS_CHILD=" + std::string(mode) + " LV_EXPECTED_FOLDER='" + expectedFolder + "' '" + exe
        + "' --gtest_filter=ExeFolderChild.Run >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ExeFolder : public testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_scratch.Native("games/lv"));
        m_exe = m_scratch.Native("games/lv/lv.exe");
        ASSERT_TRUE(plat::CopyFile(std::filesystem::canonical("/proc/self/exe").string(), m_exe,
            plat::IfTargetExists::Replace));
    }

    TempFolder m_scratch;
    DriveMapping m_drive { 'C', m_scratch.Native() };
    std::string m_exe;
};

}

TEST_F(ExeFolder, EnterExeFolderMakesRelativePathsResolveBesideTheExecutable)
{
    EXPECT_EQ(RunChild(m_exe, "enter", "C:\\games\\lv\\"), 0);
    EXPECT_EQ(lvtest::ReadNative(m_scratch.Native("games/lv/data/main.htm")),
        "written relative to the executable's folder");
}

TEST_F(ExeFolder, DeleteTestZipsDeletesOnlyMatchingFiles)
{
    const std::string data = m_scratch.Native("games/lv/data/");
    std::filesystem::create_directories(data + "test_x.zip");
    for (const char* name : { "test_1.txt", "Test.zip", "test_.zip", "test_abc.zip", "TEST_UP.ZIP", "test_a.zip.bak" })
        WriteNative(data + name, "zip");
    WriteNative(m_scratch.Native("games/lv/test_top.zip"), "zip");

    EXPECT_EQ(RunChild(m_exe, "delete", "C:\\games\\lv\\"), 0);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(data))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string> { "Test.zip", "test_1.txt", "test_a.zip.bak", "test_x.zip" }));
    EXPECT_TRUE(Exists(m_scratch.Native("games/lv/test_top.zip")));
}

TEST_F(ExeFolder, DeleteTestZipsWithoutADataFolderDoesNothing)
{
    EXPECT_EQ(RunChild(m_exe, "delete", "C:\\games\\lv\\"), 0);
    EXPECT_TRUE(Exists(m_exe));
}
