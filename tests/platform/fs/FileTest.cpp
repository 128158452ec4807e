#include "platform/fs/File.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using plat::File;
using plat::FileException;

namespace {

FileException::Cause OpenCause(const std::string& path, File::Mode mode)
{
    File file;
    FileException error;
    EXPECT_FALSE(file.Open(path, mode, &error)) << path;
    EXPECT_FALSE(file.IsOpen());
    return error.m_cause;
}

}

TEST(File, OpenFailuresCarryTheirCause)
{
    lvtest::TempFolder folder;
    std::filesystem::create_directory(folder.Native("dir"));
    ::mkfifo(folder.Native("fifo").c_str(), 0600);
    EXPECT_EQ(OpenCause(folder.Windows("missing"), File::Mode::Read), FileException::Cause::FileNotFound);
    EXPECT_EQ(OpenCause(folder.Windows("no\\such\\file"), File::Mode::CreateWrite), FileException::Cause::FileNotFound);
    EXPECT_EQ(OpenCause(folder.Windows("dir"), File::Mode::Read), FileException::Cause::AccessDenied);
    EXPECT_EQ(OpenCause(folder.Windows("dir"), File::Mode::CreateWrite), FileException::Cause::AccessDenied);
    EXPECT_EQ(OpenCause(folder.Windows("fifo"), File::Mode::Read), FileException::Cause::AccessDenied);
    EXPECT_EQ(OpenCause("", File::Mode::Read), FileException::Cause::BadPath);
    EXPECT_EQ(OpenCause("Q:\\x", File::Mode::Read), FileException::Cause::BadPath);
    try {
        File file(folder.Windows("missing"), File::Mode::Read);
        ADD_FAILURE() << "no exception";
    } catch (const FileException& e) {
        EXPECT_EQ(e.m_cause, FileException::Cause::FileNotFound);
        EXPECT_EQ(e.m_fileName, folder.Windows("missing"));
    }
}

TEST(File, WriteSeekReadAndLength)
{
    lvtest::TempFolder folder;
    lvtest::WriteNative(folder.Native("f"), "old contents that are long");
    {
        File file(folder.Windows("f"), File::Mode::CreateWrite);
        EXPECT_EQ(file.GetLength(), 0u) << "created files are truncated";
        file.Write("hello world", 11);
        EXPECT_EQ(file.Seek(6, File::SeekFrom::Begin), 6u);
        file.Write("WORLD", 5);
        EXPECT_EQ(file.GetLength(), 11u);
        char scratch[4];
        EXPECT_THROW(file.Read(scratch, sizeof scratch), FileException) << "write-only";
        file.Close();
        EXPECT_FALSE(file.IsOpen());
        EXPECT_THROW(file.Write("x", 1), FileException);
    }
    EXPECT_EQ(lvtest::ReadNative(folder.Native("f")), "hello WORLD");

    File file(folder.Windows("f"), File::Mode::Read);
    char buffer[32] = {};
    EXPECT_EQ(file.Seek(-5, File::SeekFrom::End), 6u);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 5u);
    EXPECT_EQ(std::string(buffer, 5), "WORLD");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(file.Seek(2, File::SeekFrom::Begin), 2u);
    EXPECT_EQ(file.Seek(3, File::SeekFrom::Current), 5u);
    EXPECT_THROW(file.Seek(-100, File::SeekFrom::Current), FileException);
    EXPECT_THROW(file.Write("x", 1), FileException) << "read-only";
}

TEST(File, FullPathIsAbsoluteNormalisedWindowsForm)
{
    lvtest::TempFolder folder;
    std::filesystem::create_directory(folder.Native("sub"));
    lvtest::WriteNative(folder.Native("f.txt"), "x");
    File file(folder.Windows("sub") + "\\..\\.\\f.txt", File::Mode::Read);
    EXPECT_EQ(file.GetFilePath(), folder.Windows("f.txt"));
    EXPECT_EQ(file.GetFilePath().substr(0, 3), "Z:\\");
}
