#include "platform/fs/WholeFile.h"

#include "support/DriveMapping.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sys/stat.h>
#include <thread>

using namespace plat;
using lvtest::DriveMapping;
using lvtest::ReadNative;
using lvtest::TempFolder;
using lvtest::WriteNative;

TEST(WholeFile, ReadsAndWritesBytesUnchanged)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    const std::string bytes("\xbc\xec\xb2\xe2\0\r\n\xff tail", 13);
    ASSERT_TRUE(WriteWholeFile("C:\\f.bin", bytes));
    EXPECT_EQ(ReadNative(scratch.Native("f.bin")), bytes);
    std::string read = "stale";
    ASSERT_TRUE(ReadWholeFile("C:\\f.bin", read));
    EXPECT_EQ(read, bytes);

    ASSERT_TRUE(WriteWholeFile("C:\\f.bin", ""));
    ASSERT_TRUE(ReadWholeFile("C:\\f.bin", read));
    EXPECT_EQ(read, "");
}

TEST(WholeFile, WhatCannotBeReadGivesNothing)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    std::filesystem::create_directory(scratch.Native("dir"));
    ::mkfifo(scratch.Native("fifo").c_str(), 0600);
    std::string read = "stale";
    EXPECT_FALSE(ReadWholeFile("C:\\missing", read));
    EXPECT_EQ(read, "");
    EXPECT_FALSE(ReadWholeFile("C:\\dir", read));
    EXPECT_FALSE(ReadWholeFile("C:\\fifo", read)) << "must not wait for a writer";
    EXPECT_FALSE(ReadWholeFile("", read));
    EXPECT_FALSE(ReadWholeFile("Q:\\x", read));
}

TEST(WholeFile, FailedWriteKeepsTheOldFile)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    std::filesystem::create_directory(scratch.Native("dir"));
    EXPECT_FALSE(WriteWholeFile("C:\\dir", "x"));
    EXPECT_TRUE(std::filesystem::is_directory(scratch.Native("dir")));
    EXPECT_FALSE(WriteWholeFile("C:\\nofolder\\f", "x"));
    EXPECT_FALSE(WriteWholeFile("C:\\dir\\", "x"));
    if (::geteuid() != 0) {
        WriteNative(scratch.Native("dir/old"), "old");
        ::chmod(scratch.Native("dir").c_str(), 0555);
        EXPECT_FALSE(WriteWholeFile("C:\\dir\\old", "new"));
        ::chmod(scratch.Native("dir").c_str(), 0755);
        EXPECT_EQ(ReadNative(scratch.Native("dir/old")), "old");
    }
}

TEST(WholeFile, ReaderBesideAWriterSeesOneWholeVersion)
{
    TempFolder scratch;
    DriveMapping c('C', scratch.Native());
    const std::string first(200000, '1');
    const std::string second(150000, '2');
    ASSERT_TRUE(WriteWholeFile("C:\\main.htm", first));
    std::atomic<bool> done { false };
    std::thread writer([&] {
        for (int i = 0; i < 100; ++i)
            WriteWholeFile("C:\\main.htm", i % 2 ? first : second);
        done = true;
    });
    int reads = 0;
    int torn = 0;
    while (!done) {
        std::string read;
        ++reads;
        if (!ReadWholeFile("C:\\main.htm", read) || (read != first && read != second))
            ++torn;
    }
    writer.join();
    EXPECT_GT(reads, 0);
    EXPECT_EQ(torn, 0) << "every read finds the file and sees one version whole";
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(scratch.Native()))
        ++entries;
    EXPECT_EQ(entries, 1u) << "no temporary file left behind";
}
