#include "update/ExtractFirstEntry.h"

#include "support/PatternBytes.h"
#include "support/TempFolder.h"
#include "update/ZipBuilder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

using lvtest::PatternBytes;
using lvtest::ReadNative;
using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

class ExtractFirstEntryTest : public testing::Test {
protected:
    // Writes the archive into the folder and extracts it; `extracted` starts as "unchanged".
    int Extract(const std::string& zip, std::string& extracted, const std::string& archiveName = "data_tmp.dat")
    {
        WriteNative(m_folder.Native(archiveName), zip);
        extracted = "unchanged";
        m_reason.clear();
        return ExtractFirstEntry(m_folder.Windows(archiveName), extracted, &m_reason);
    }

    // Names in the folder besides the archive.
    std::vector<std::string> Outputs()
    {
        std::vector<std::string> names;
        for (const auto& item : fs::recursive_directory_iterator(m_folder.Native()))
            if (item.path().filename() != "data_tmp.dat")
                names.push_back(fs::relative(item.path(), m_folder.Native()).string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder m_folder;
    // Why the last Extract failed.
    std::string m_reason;
};

}

TEST_F(ExtractFirstEntryTest, WritesOnlyTheFirstEntryBesideTheArchive)
{
    std::string first = PatternBytes(123457) + std::string(200000, 'q');
    std::string zip = BuildZip({ { .name = "first.bin", .data = first },
        { .name = "second.bin", .data = "second", .method = 0 } });
    std::string extracted;
    EXPECT_EQ(Extract(zip, extracted), 0);
    EXPECT_EQ(extracted, m_folder.Windows("first.bin"));
    EXPECT_TRUE(ReadNative(m_folder.Native("first.bin")) == first);
    EXPECT_EQ(Outputs(), std::vector<std::string> { "first.bin" });

    std::string stored = PatternBytes(30000, 3);
    EXPECT_EQ(Extract(BuildZip({ { .name = "s.bin", .data = stored, .method = 0 } }), extracted), 0);
    EXPECT_TRUE(ReadNative(m_folder.Native("s.bin")) == stored);
}

TEST_F(ExtractFirstEntryTest, DataInFrontAndDataDescriptors)
{
    std::string data = PatternBytes(20480, 9);
    std::string extracted;
    EXPECT_EQ(Extract(BuildZip({ { .name = "p.bin", .data = data } }, { .prefix = PatternBytes(5000, 2) }), extracted), 0);
    EXPECT_TRUE(ReadNative(m_folder.Native("p.bin")) == data);

    EXPECT_EQ(Extract(BuildZip({ { .name = "d.bin", .data = data, .dataDescriptor = true } }), extracted), 0);
    EXPECT_TRUE(ReadNative(m_folder.Native("d.bin")) == data);
}

TEST_F(ExtractFirstEntryTest, ZeroLengthEntryGivesAnEmptyFile)
{
    std::string extracted;
    for (std::uint16_t method : { 0, 8 }) {
        WriteNative(m_folder.Native("empty.txt"), "old");
        EXPECT_EQ(Extract(BuildZip({ { .name = "empty.txt", .data = "", .method = method } }), extracted), 0);
        EXPECT_EQ(extracted, m_folder.Windows("empty.txt"));
        EXPECT_EQ(fs::file_size(m_folder.Native("empty.txt")), 0u);
    }
}

TEST_F(ExtractFirstEntryTest, UnusableArchivesFailBeforeAnyOutput)
{
    ZipEntryParts entry { .name = "x.bin", .data = "payload" };
    std::string extracted;
    EXPECT_EQ(Extract(BuildZip({ entry }, { .comment = std::string(65535, 'c') }), extracted), 1);
    EXPECT_EQ(Extract(BuildZip({ entry }, { .disk = 1 }), extracted), 1);
    EXPECT_EQ(Extract(BuildZip({ entry, entry }, { .totalEntries = 3 }), extracted), 1);
    EXPECT_EQ(Extract(BuildZip({}), extracted), 1);
    EXPECT_EQ(Extract("not an archive at all", extracted), 1);
    EXPECT_EQ(extracted, "unchanged");
    EXPECT_TRUE(Outputs().empty());

    // The method is checked with the local header, once the output exists.
    EXPECT_EQ(Extract(BuildZip({ { .name = "x.bin", .data = "payload", .method = 12 } }), extracted), 1);
    EXPECT_EQ(extracted, m_folder.Windows("x.bin"));
    EXPECT_EQ(ReadNative(m_folder.Native("x.bin")), "");

    extracted = "unchanged";
    EXPECT_EQ(ExtractFirstEntry(m_folder.Windows("missing.zip"), extracted), 1);
    EXPECT_EQ(extracted, "unchanged");
}

TEST_F(ExtractFirstEntryTest, DamagedDataLeavesThePartialOutputNamed)
{
    // Valid blocks for the first 100,000 bytes, flushed to a byte boundary,
    // then a block header of the reserved type.
    std::string data = PatternBytes(200000, 5);
    z_stream stream {};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string damaged(deflateBound(&stream, 100000), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(data.data());
    stream.avail_in = 100000;
    stream.next_out = reinterpret_cast<Bytef*>(damaged.data());
    stream.avail_out = static_cast<uInt>(damaged.size());
    deflate(&stream, Z_FULL_FLUSH);
    damaged.resize(stream.total_out);
    deflateEnd(&stream);
    damaged += std::string(64, '\xff');

    std::string extracted;
    EXPECT_EQ(Extract(BuildZip({ { .name = "bad.bin", .data = data, .compressed = damaged } }), extracted), 1);
    EXPECT_EQ(extracted, m_folder.Windows("bad.bin"));
    EXPECT_EQ(m_reason, "inflate returned -3: invalid stored block lengths");
    // Whole output chunks up to the read that met the damage.
    std::string partial = ReadNative(m_folder.Native("bad.bin"));
    EXPECT_EQ(partial.size(), 100000u / 10240 * 10240);
    EXPECT_TRUE(partial == data.substr(0, partial.size()));
}

TEST_F(ExtractFirstEntryTest, WrongCrcLeavesTheCompleteOutputWritable)
{
    std::string data = PatternBytes(40000, 6);
    std::string extracted;
    ZipEntryParts entry { .name = "crc.bin", .data = data, .externalAttributes = 0x21, .crc = 0xdeadbeef };
    EXPECT_EQ(Extract(BuildZip({ entry }), extracted), 1);
    EXPECT_EQ(extracted, m_folder.Windows("crc.bin"));
    EXPECT_TRUE(ReadNative(m_folder.Native("crc.bin")) == data);
    EXPECT_NE(fs::status(m_folder.Native("crc.bin")).permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(ExtractFirstEntryTest, SubfoldersAreMadeInsideAndNoLinkIsWrittenThrough)
{
    std::string extracted;
    EXPECT_EQ(Extract(BuildZip({ { .name = "sub/deeper\\x.bin", .data = "inside" } }), extracted), 0);
    EXPECT_EQ(extracted, m_folder.Windows("sub\\deeper\\x.bin"));
    EXPECT_EQ(ReadNative(m_folder.Native("sub/deeper/x.bin")), "inside");
    EXPECT_EQ(Extract(BuildZip({ { .name = "sub\\y.bin", .data = "back" } }), extracted), 0);
    EXPECT_EQ(ReadNative(m_folder.Native("sub/y.bin")), "back");

    // A linked folder on the way is refused; a link at the name is replaced.
    TempFolder outside;
    WriteNative(outside.Native("victim"), "precious");
    fs::permissions(outside.Native("victim"), fs::perms(0600));
    const auto victimTime = fs::last_write_time(outside.Native("victim"));
    fs::create_symlink(outside.Native(), m_folder.Native("link"));
    fs::create_symlink(outside.Native("victim"), m_folder.Native("x.bin"));
    EXPECT_EQ(Extract(BuildZip({ { .name = "link/x.bin", .data = "through" } }), extracted), 1);
    EXPECT_EQ(extracted, "unchanged");
    EXPECT_EQ(Extract(BuildZip({ { .name = "x.bin", .data = "entry", .externalAttributes = 0x01 } }), extracted), 0);
    EXPECT_FALSE(fs::is_symlink(m_folder.Native("x.bin")));
    EXPECT_EQ(ReadNative(m_folder.Native("x.bin")), "entry");
    EXPECT_EQ(ReadNative(outside.Native("victim")), "precious");
    EXPECT_EQ(fs::status(outside.Native("victim")).permissions(), fs::perms(0600));
    EXPECT_EQ(fs::last_write_time(outside.Native("victim")), victimTime);
    EXPECT_FALSE(fs::exists(outside.Native("x.bin")));
}

TEST_F(ExtractFirstEntryTest, NamesThatWouldLeaveTheFolderAreRefused)
{
    fs::create_directory(m_folder.Native("inner"));
    std::string archive = "inner/data_tmp.dat";
    // One name of each kind; every kind is in the predicate's own table.
    using namespace std::string_literals;
    for (const std::string& name : { "sub/../../evil.bin"s, "/tmp/evil.bin"s, "Z:\\tmp\\evil.bin"s, ""s, "evil.bin\0"s }) {
        std::string extracted;
        EXPECT_EQ(Extract(BuildZip({ { .name = name, .data = "evil" } }), extracted, archive), 1) << name;
        EXPECT_EQ(extracted, "unchanged") << name;
    }
    EXPECT_FALSE(fs::exists(m_folder.Native("evil.bin")));
    EXPECT_FALSE(fs::exists("/tmp/evil.bin"));
    EXPECT_EQ(Outputs(), std::vector<std::string> { "inner" });
}

TEST_F(ExtractFirstEntryTest, OutputIsBoundedAndUndeliverableEntriesWriteNothing)
{
    // Ten megabytes of zeros behind a declared one megabyte: only that comes out.
    const std::string zeros(10u << 20, '\0');
    std::string extracted;
    EXPECT_EQ(Extract(BuildZip({ { .name = "bomb.bin", .data = zeros.substr(0, 1u << 20), .compressed = RawDeflate(zeros) } }),
                  extracted),
        0);
    EXPECT_EQ(fs::file_size(m_folder.Native("bomb.bin")), 1u << 20);
    fs::remove(m_folder.Native("bomb.bin"));

    // Declared over 512 MB, or encrypted (its data would be ciphertext).
    for (const ZipEntryParts& entry : { ZipEntryParts { .name = "big.bin", .data = "x", .uncompressedSize = (512u << 20) + 1 },
             ZipEntryParts { .name = "big.bin", .data = "x", .uncompressedSize = 0xffffffffu },
             ZipEntryParts { .name = "secret.bin", .data = "ciphertext", .method = 0, .flags = 1 },
             ZipEntryParts { .name = "secret.bin", .data = "ciphertext", .flags = 1 } }) {
        EXPECT_EQ(Extract(BuildZip({ entry }), extracted), 1) << entry.name;
        EXPECT_EQ(extracted, "unchanged");
        EXPECT_TRUE(Outputs().empty());
    }
}

TEST_F(ExtractFirstEntryTest, RestoresTheLastWriteTimeAndNeverLeavesItReadOnly)
{
    std::uint32_t dos = (std::uint32_t((2020 - 1980) << 9 | 2 << 5 | 29) << 16) | (23 << 11 | 59 << 5 | 29);
    ZipEntryParts entry { .name = "t.bin", .data = "timed", .dosDateTime = dos, .externalAttributes = 0x01 };
    std::string extracted;
    std::time_t before = std::time(nullptr);
    EXPECT_EQ(Extract(BuildZip({ entry }), extracted), 0);

    std::tm expected {};
    expected.tm_year = 120;
    expected.tm_mon = 1;
    expected.tm_mday = 29;
    expected.tm_hour = 23;
    expected.tm_min = 59;
    expected.tm_sec = 58;
    expected.tm_isdst = -1;
    struct stat info { };
    ASSERT_EQ(stat(m_folder.Native("t.bin").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, std::mktime(&expected));
    EXPECT_GE(info.st_atime, before);
    EXPECT_TRUE(info.st_mode & S_IWUSR);
}

TEST_F(ExtractFirstEntryTest, OutputThatCannotBeCreated)
{
    fs::create_directory(m_folder.Native("taken"));
    std::string extracted;
    EXPECT_EQ(Extract(BuildZip({ { .name = "taken", .data = "x" } }), extracted), 1);
    EXPECT_EQ(extracted, "unchanged");
    EXPECT_NE(m_reason.find("taken"), std::string::npos) << "the file error names the file: " << m_reason;
    EXPECT_EQ(Extract(BuildZip({ { .name = "dir/", .data = "" } }), extracted), 1);
    EXPECT_EQ(extracted, "unchanged");
}

TEST_F(ExtractFirstEntryTest, ArchiveWrittenByAnIndependentWriter)
{
    std::string script = fs::absolute(__FILE__).parent_path() / "fixtures" / "make_zip.py";
    std::string archive = m_folder.Native("data_tmp.dat");
    std::string command = "python3 '" + script + "' '" + archive + "' first.txt=5000 second.txt=3";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string expected;
    for (int i = 0; i < 5000; ++i)
        expected += "line " + std::to_string(i) + " of first.txt\n";
    std::string extracted;
    EXPECT_EQ(ExtractFirstEntry(m_folder.Windows("data_tmp.dat"), extracted), 0);
    EXPECT_EQ(extracted, m_folder.Windows("first.txt"));
    EXPECT_TRUE(ReadNative(m_folder.Native("first.txt")) == expected);
    EXPECT_EQ(Outputs(), std::vector<std::string> { "first.txt" });
}
