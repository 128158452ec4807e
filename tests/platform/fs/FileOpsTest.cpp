#include "platform/fs/FileOps.h"

#include "support/DriveMapping.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace plat;
using lvtest::DriveMapping;
using lvtest::Exists;
using lvtest::ReadNative;
using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

size_t EntriesIn(const std::string& folder)
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

}

TEST(FileOps, CreateDirectoryMakesOneLevelAndFailsOtherwise)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    EXPECT_TRUE(CreateDirectory("C:\\games\\"));
    EXPECT_TRUE(std::filesystem::is_directory(scratch.Native("games")));
    EXPECT_TRUE(CreateDirectory("C:\\games\\lv"));
    EXPECT_FALSE(CreateDirectory("C:\\games\\lv")) << "exists already";
    EXPECT_FALSE(CreateDirectory("C:\\x\\y\\")) << "parent missing";
    EXPECT_FALSE(Exists(scratch.Native("x")));
    EXPECT_FALSE(CreateDirectory("C:\\"));
    EXPECT_FALSE(CreateDirectory("Q:\\unmapped\\"));
    EXPECT_FALSE(CreateDirectory(""));
    EXPECT_FALSE(CreateDirectory(std::string_view("C:\\a\0b", 6)));
    EXPECT_FALSE(Exists(scratch.Native("a")));
}

TEST(FileOps, DeleteFileRemovesFilesOnly)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    WriteNative(scratch.Native("f.txt"), "x");
    std::filesystem::create_directory(scratch.Native("dir"));
    EXPECT_TRUE(DeleteFile("C:\\f.txt"));
    EXPECT_FALSE(Exists(scratch.Native("f.txt")));
    EXPECT_FALSE(DeleteFile("C:\\f.txt")) << "already gone";
    EXPECT_FALSE(DeleteFile("C:\\dir"));
    EXPECT_TRUE(std::filesystem::is_directory(scratch.Native("dir")));
    EXPECT_FALSE(DeleteFile(""));
}

TEST(FileOps, CopyFileCopiesEveryByteAndReplacesTheTarget)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    std::string bytes;
    for (int i = 0; i < 300000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    WriteNative(scratch.Native("src.bin"), bytes);
    ::chmod(scratch.Native("src.bin").c_str(), 0755);
    WriteNative(scratch.Native("dst.bin"), "old target");

    EXPECT_TRUE(CopyFile("C:\\src.bin", "C:/dst.bin", IfTargetExists::Replace));
    EXPECT_EQ(ReadNative(scratch.Native("dst.bin")), bytes);
    struct stat info { };
    ASSERT_EQ(::stat(scratch.Native("dst.bin").c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IXUSR) << "an executable stays executable";
    EXPECT_EQ(EntriesIn(scratch.Native()), 2u) << "no temporary file left behind";

    WriteNative(scratch.Native("dst.bin"), "keep me");
    EXPECT_FALSE(CopyFile("C:\\src.bin", "C:\\dst.bin", IfTargetExists::Fail));
    EXPECT_EQ(ReadNative(scratch.Native("dst.bin")), "keep me");
    EXPECT_TRUE(CopyFile("C:\\src.bin", "C:\\new.bin", IfTargetExists::Fail));
    EXPECT_EQ(ReadNative(scratch.Native("new.bin")), bytes);
}

TEST(FileOps, CopyFileReplacesTheTargetWholeForAReaderHoldingIt)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    WriteNative(scratch.Native("src"), std::string(100000, 'n'));
    WriteNative(scratch.Native("dst"), std::string(100000, 'o'));
    int reader = ::open(scratch.Native("dst").c_str(), O_RDONLY);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(CopyFile("C:\\src", "C:\\dst", IfTargetExists::Replace));
    std::string seen(100000, '\0');
    EXPECT_EQ(::read(reader, seen.data(), seen.size()), 100000);
    ::close(reader);
    EXPECT_EQ(seen, std::string(100000, 'o')) << "the open reader keeps the old file, unmixed";
    EXPECT_EQ(ReadNative(scratch.Native("dst")), std::string(100000, 'n'));
}

TEST(FileOps, CopyFileFailuresLeaveTheTargetAlone)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    WriteNative(scratch.Native("dst"), "target");
    std::filesystem::create_directory(scratch.Native("dir"));
    ::mkfifo(scratch.Native("fifo").c_str(), 0600);
    WriteNative(scratch.Native("src"), "source");

    EXPECT_FALSE(CopyFile("C:\\missing", "C:\\dst", IfTargetExists::Replace));
    EXPECT_FALSE(CopyFile("C:\\dir", "C:\\dst", IfTargetExists::Replace));
    EXPECT_FALSE(CopyFile("C:\\fifo", "C:\\dst", IfTargetExists::Replace)) << "must not wait for a writer";
    EXPECT_FALSE(CopyFile("C:\\src", "C:\\dir", IfTargetExists::Replace));
    EXPECT_FALSE(CopyFile("C:\\src", "C:\\nofolder\\dst", IfTargetExists::Replace));
    EXPECT_FALSE(CopyFile("C:\\src", "", IfTargetExists::Replace));
    EXPECT_FALSE(CopyFile("C:\\src", "Q:\\dst", IfTargetExists::Replace));
    EXPECT_EQ(ReadNative(scratch.Native("dst")), "target");
    EXPECT_TRUE(std::filesystem::is_directory(scratch.Native("dir")));
    EXPECT_EQ(EntriesIn(scratch.Native()), 4u) << "no temporary file left behind";
}

TEST(FileOps, MoveFileRenamesAndRespectsAnExistingTarget)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    WriteNative(scratch.Native("a"), "A");
    WriteNative(scratch.Native("b"), "B");
    EXPECT_FALSE(MoveFile("C:\\a", "C:\\b", IfTargetExists::Fail));
    EXPECT_EQ(ReadNative(scratch.Native("b")), "B");
    EXPECT_TRUE(MoveFile("C:\\a", "C:\\b", IfTargetExists::Replace));
    EXPECT_FALSE(Exists(scratch.Native("a")));
    EXPECT_EQ(ReadNative(scratch.Native("b")), "A");
    EXPECT_TRUE(MoveFile("C:\\b", "C:\\c", IfTargetExists::Fail));
    EXPECT_EQ(ReadNative(scratch.Native("c")), "A");
    EXPECT_FALSE(MoveFile("C:\\missing", "C:\\d", IfTargetExists::Replace));
}
