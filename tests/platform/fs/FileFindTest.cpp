#include "platform/fs/FileFind.h"
#include "platform/fs/Wildcard.h"

#include "platform/fs/CurrentDirectory.h"
#include "support/DriveMapping.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace plat;
using lvtest::DriveMapping;
using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

// Every match of `pattern` in the order the finder gives them, walked as the
// program walks them.
std::vector<std::string> Walk(std::string_view pattern)
{
    std::vector<std::string> names;
    FileFind finder;
    bool more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        names.push_back(finder.GetFileName());
    }
    return names;
}

using Names = std::vector<std::string>;

}

TEST(Wildcard, StarsQuestionMarksAndCase)
{
    EXPECT_TRUE(MatchWildcard("test_*.zip", "test_.zip"));
    EXPECT_TRUE(MatchWildcard("test_*.zip", "test_abc.zip"));
    EXPECT_TRUE(MatchWildcard("test_*.zip", "TEST_A.ZIP"));
    EXPECT_FALSE(MatchWildcard("test_*.zip", "Test.zip"));
    EXPECT_FALSE(MatchWildcard("test_*.zip", "test_1.txt"));
    EXPECT_FALSE(MatchWildcard("test_*.zip", "test_1.zipx"));
    EXPECT_TRUE(MatchWildcard("*.zip", "a.zip.zip"));
    EXPECT_TRUE(MatchWildcard("a*b*c", "aXbYbZc"));
    EXPECT_FALSE(MatchWildcard("a*b*c", "aXbYbZ"));
    EXPECT_TRUE(MatchWildcard("?.txt", "a.txt"));
    EXPECT_FALSE(MatchWildcard("?.txt", ".txt"));
    EXPECT_TRUE(MatchWildcard("?.txt", "测.txt")) << "'?' takes a whole UTF-8 character";
    EXPECT_FALSE(MatchWildcard("??.txt", "测.txt"));
    EXPECT_TRUE(MatchWildcard("测*", "测试.zip"));
    EXPECT_TRUE(MatchWildcard("*", ""));
    EXPECT_TRUE(MatchWildcard("*.*", "README"));
    EXPECT_FALSE(MatchWildcard("", "a"));
    EXPECT_FALSE(MatchWildcard("[ab]", "a")) << "brackets are plain characters";
    EXPECT_TRUE(MatchWildcard("[ab]", "[AB]"));
}

TEST(Wildcard, ManyStarsDoNotBlowUp)
{
    std::string pattern(200, '*');
    pattern += "b";
    EXPECT_FALSE(MatchWildcard(pattern, std::string(5000, 'a')));
    EXPECT_TRUE(MatchWildcard(pattern, std::string(5000, 'a') + "b"));
}

TEST(FileFind, WalksEveryMatchSortedUntilTheLast)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    std::filesystem::create_directories(scratch.Native("data/test_x.zip"));
    for (const char* name : { "test_b.zip", "test_a.zip", "TEST_C.ZIP", "test_1.txt", "Test.zip" })
        WriteNative(scratch.Native("data/") + name, "zip");

    EXPECT_EQ(Walk("C:\\data\\test_*.zip"), (Names { "TEST_C.ZIP", "test_a.zip", "test_b.zip", "test_x.zip" }));
    EXPECT_EQ(Walk("C:/data/*.txt"), (Names { "test_1.txt" }));
    EXPECT_EQ(Walk("C:\\data\\*.exe"), Names {});
    EXPECT_EQ(Walk("C:\\missing\\*.zip"), Names {});
    EXPECT_EQ(Walk("Q:\\data\\*"), Names {});
    EXPECT_EQ(Walk(""), Names {});
    EXPECT_EQ(Walk("C:\\data\\"), Names {}) << "no name to match";
}

TEST(FileFind, CurrentMatchPropertiesAndTheEnd)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    std::filesystem::create_directories(scratch.Native("d/sub"));
    WriteNative(scratch.Native("d/file.dat"), std::string(12345, 'x'));

    FileFind finder;
    ASSERT_TRUE(finder.FindFile("C:\\d\\*"));
    EXPECT_EQ(finder.GetFileName(), "") << "nothing is current before the first FindNextFile";
    std::vector<std::string> seen;
    bool more = true;
    while (more) {
        more = finder.FindNextFile();
        std::string name = finder.GetFileName();
        seen.push_back(name);
        EXPECT_EQ(finder.GetFilePath(), "C:\\d\\" + name);
        EXPECT_EQ(finder.IsDots(), name == "." || name == "..");
        EXPECT_EQ(finder.IsDirectory(), name != "file.dat");
        if (name == "file.dat") {
            EXPECT_EQ(finder.GetLength(), 12345u);
        }
    }
    EXPECT_EQ(seen, (Names { ".", "..", "file.dat", "sub" }));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), "");
    EXPECT_EQ(finder.GetLength(), 0u);
    EXPECT_FALSE(finder.IsDirectory());
}

TEST(FileFind, ExactNamesAndRelativePatterns)
{
    std::filesystem::path saved = std::filesystem::current_path();
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    std::filesystem::create_directories(scratch.Native("skiff"));
    WriteNative(scratch.Native("skiff/Skiff.exe"), "exe");
    ASSERT_TRUE(SetCurrentDirectory("C:\\"));

    FileFind finder;
    ASSERT_TRUE(finder.FindFile("skiff\\Skiff.exe"));
    EXPECT_FALSE(finder.FindNextFile()) << "one exact name is one match";
    EXPECT_EQ(finder.GetFilePath(), "C:\\skiff\\Skiff.exe");
    EXPECT_EQ(finder.GetLength(), 3u);
    EXPECT_FALSE(finder.FindFile("C:\\SKIFF\\skiff.exe")) << "only the last component ignores case";
    ASSERT_TRUE(finder.FindFile("C:\\skiff\\SKIFF.EXE"));
    finder.FindNextFile();
    EXPECT_EQ(finder.GetFileName(), "Skiff.exe");
    ASSERT_TRUE(finder.FindFile("C:\\skiff"));
    finder.FindNextFile();
    EXPECT_TRUE(finder.IsDirectory());
    EXPECT_FALSE(finder.FindFile("C:\\skiff\\other.exe"));
    std::filesystem::current_path(saved);
}
