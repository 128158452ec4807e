#include "platform/fs/FileStatus.h"

#include "platform/fs/File.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using plat::FileStatus;

namespace {

mode_t ModeOf(const std::string& native)
{
    struct stat info { };
    ::stat(native.c_str(), &info);
    return info.st_mode & 07777;
}

}

TEST(FileStatus, ReadsSizeTimesAndAttributes)
{
    lvtest::TempFolder folder;
    lvtest::WriteNative(folder.Native("f"), "12345");
    std::filesystem::create_directory(folder.Native("d"));
    FileStatus status;
    ASSERT_TRUE(plat::GetFileStatus(folder.Windows("f"), status));
    EXPECT_EQ(status.size, 5u);
    EXPECT_EQ(status.attributes, plat::kFileAttributeNormal);
    EXPECT_EQ(status.fullName, folder.Windows("f"));
    EXPECT_NEAR(static_cast<double>(status.lastWriteTime), static_cast<double>(std::time(nullptr)), 60);
    EXPECT_NE(status.creationTime, 0);

    ASSERT_TRUE(plat::GetFileStatus(folder.Windows("d"), status));
    EXPECT_TRUE(status.attributes & plat::kFileAttributeDirectory);
    EXPECT_FALSE(plat::GetFileStatus(folder.Windows("missing"), status));
    EXPECT_FALSE(plat::GetFileStatus("", status));
}

TEST(FileStatus, WritesTimesAndTheReadOnlyBit)
{
    lvtest::TempFolder folder;
    lvtest::WriteNative(folder.Native("f"), "x");
    ::chmod(folder.Native("f").c_str(), 0664);

    FileStatus status;
    status.lastWriteTime = 1500000000;
    status.lastAccessTime = 1600000000;
    status.attributes = plat::kFileAttributeReadOnly;
    plat::SetFileStatus(folder.Windows("f"), status);
    struct stat info { };
    ASSERT_EQ(::stat(folder.Native("f").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, 1500000000);
    EXPECT_EQ(info.st_atime, 1600000000);
    EXPECT_EQ(ModeOf(folder.Native("f")), 0444u);
    FileStatus read;
    ASSERT_TRUE(plat::GetFileStatus(folder.Windows("f"), read));
    EXPECT_EQ(read.attributes, plat::kFileAttributeReadOnly);
    EXPECT_EQ(read.lastWriteTime, 1500000000);

    // Clearing the bit gives the owner write permission back; times of 0 stay.
    status = FileStatus {};
    plat::SetFileStatus(folder.Windows("f"), status);
    EXPECT_EQ(ModeOf(folder.Native("f")), 0644u);
    ASSERT_EQ(::stat(folder.Native("f").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, 1500000000);

    EXPECT_TRUE(plat::SetFileAttributes(folder.Windows("f"), 0xffff0021)) << "only the read-only bit counts";
    EXPECT_EQ(ModeOf(folder.Native("f")), 0444u);
    EXPECT_TRUE(plat::SetFileAttributes(folder.Windows("f"), plat::kFileAttributeNormal));
    EXPECT_EQ(ModeOf(folder.Native("f")), 0644u);

    EXPECT_FALSE(plat::SetFileAttributes(folder.Windows("missing"), 0));
    EXPECT_THROW(plat::SetFileStatus(folder.Windows("missing"), status), plat::FileException);
    status.lastWriteTime = 1;
    EXPECT_THROW(plat::SetFileStatus(folder.Windows("missing"), status), plat::FileException);
}
