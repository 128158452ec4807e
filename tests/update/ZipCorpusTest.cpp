// Each named archive of the fuzzing seed corpus, read as the extraction
// reads it (first entry, every byte, closed), with the exact cause and the
// reason its one failing check gives.

#include "update/ZipReader.h"

#include "platform/fs/PathMap.h"
#include "support/TempFolder.h"
#include "update/ZipBuilder.h"
#include "update/ZipException.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

struct Outcome {
    int cause = 0;
    std::string reason;
    std::string data;
};

Outcome ReadFirstEntry(const std::string& archive)
{
    Outcome outcome;
    try {
        CZipReader reader(archive);
        reader.GoToFirstEntry();
        reader.OpenEntry();
        char buffer[4096];
        while (std::uint32_t n = reader.ReadEntry(buffer, sizeof buffer))
            outcome.data.append(buffer, n);
        reader.CloseEntry();
        reader.CloseArchive();
    } catch (const CZipException& e) {
        outcome.cause = e.m_nCause;
        outcome.reason = e.what();
    }
    return outcome;
}

}

TEST(ZipCorpus, EveryNamedArchiveFailsForItsOwnReason)
{
    struct Case {
        const char* file;
        int cause;
        const char* reason;
    };
    const Case cases[] = {
        { "stored.zip", 0, "" },
        { "deflated.zip", 0, "" },
        { "comment.zip", 0, "" },
        { "descriptor.zip", 0, "" },
        { "dotdot.zip", 0, "" }, // readable; the extraction refuses its name
        { "empty_entry.zip", 0, "" },
        { "prefix.zip", 0, "" },
        { "read_only.zip", 0, "" },
        { "subfolder.zip", 0, "" },
        { "two_entries.zip", 0, "" },
        { "short_stored.zip", CZipException::kBadArchive, "entry ends 2400 bytes short" },
        { "bad_crc.zip", CZipException::kBadCrc, "CRC-32 0xf38358ec, expected 0x12345678" },
        { "damaged.zip", CZipException::kDataError, "inflate returned -3: invalid block type" },
        { "counts_differ.zip", CZipException::kBadArchive, "end record counts differ: 1 on this disk, 2 in all" },
        { "method_12.zip", CZipException::kBadArchive, "compression method 12 not supported" },
        { "multi_disk.zip", CZipException::kBadArchive, "archive spans several disks" },
        { "no_entries.zip", CZipException::kBadArchive, "end record at offset 0 leaves no room for entries" },
    };
    const std::filesystem::path corpus = std::filesystem::absolute(__FILE__).parent_path().parent_path() / "fuzz/zip/corpus";
    std::size_t named = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        named += entry.path().extension() == ".zip";
    EXPECT_EQ(named, std::size(cases)) << "every named archive has its case";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Outcome outcome = ReadFirstEntry(plat::WindowsPath((corpus / c.file).string()));
        EXPECT_EQ(outcome.cause, c.cause);
        EXPECT_EQ(outcome.reason, c.reason);
    }
}

// The checks the seed corpus does not reach, each on an archive built with
// one fault.
TEST(ZipCorpus, EachCheckOfABuiltArchiveGivesItsReason)
{
    const ZipEntryParts entry { .name = "x.bin", .data = "payload", .method = 0 };
    const std::string good = BuildZip({ entry }); // local header at 0, central at 42, end record at 93
    auto with = [&](std::size_t at, char byte) {
        std::string zip = good;
        zip[at] = byte;
        return zip;
    };
    struct Case {
        std::string bytes;
        int cause;
        const char* reason;
    };
    const Case cases[] = {
        { std::string(5000, 'x'), CZipException::kBadArchive, "no end record in the last 5000 bytes" },
        { good.substr(0, good.size() - 1), CZipException::kBadArchive,
            "read of 22 bytes at offset 93 past the end of the 114-byte file" },
        { BuildZip({}, { .prefix = "ab" }), CZipException::kBadArchive, "archive has no entries" },
        { with(42, 'X'), CZipException::kBadArchive, "no central header at offset 42" },
        { with(0, 'X'), CZipException::kBadArchive, "no local header at offset 0" },
        { with(26, 4), CZipException::kBadArchive, "local header name length 4 disagrees with the central one (5)" },
        { BuildZip({ { .name = "x.bin", .data = "payload", .method = 0, .localMethod = 8 } }), CZipException::kBadArchive,
            "local header method 8 disagrees with the central one (0)" },
        { BuildZip({ { .name = "x.bin", .data = "payload", .compressed = RawDeflate("pay") } }),
            CZipException::kBadArchive, "entry ends 4 bytes short" },
        { good, 0, "" },
    };
    lvtest::TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        lvtest::WriteNative(folder.Native("a.zip"), c.bytes);
        Outcome outcome = ReadFirstEntry(folder.Windows("a.zip"));
        EXPECT_EQ(outcome.cause, c.cause);
        EXPECT_EQ(outcome.reason, c.reason);
    }

    lvtest::WriteNative(folder.Native("a.zip"), good);
    CZipReader reader(folder.Windows("a.zip"));
    char buffer[8];
    try {
        reader.ReadEntry(buffer, sizeof buffer);
        ADD_FAILURE() << "read without an open entry";
    } catch (const CZipException& e) {
        EXPECT_EQ(e.m_nCause, CZipException::kOutOfOrder);
        EXPECT_STREQ(e.what(), "no open entry");
    }
}
