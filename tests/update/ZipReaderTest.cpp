#include "update/ZipReader.h"

#include "support/PatternBytes.h"
#include "support/TempFolder.h"
#include "update/ZipBuilder.h"
#include "update/ZipException.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using lvtest::PatternBytes;
using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

// The cause of the CZipException thrown by `action`, 0 when none is thrown.
int CauseOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CZipException& e) {
        return e.m_nCause;
    }
    return 0;
}

class ZipReaderTest : public testing::Test {
protected:
    std::string Write(const std::string& bytes, const std::string& name = "a.zip")
    {
        WriteNative(m_folder.Native(name), bytes);
        return m_folder.Windows(name);
    }

    int OpenCause(const std::string& bytes)
    {
        std::string path = Write(bytes);
        return CauseOf([&] { CZipReader reader(path); });
    }

    std::string ReadAll(CZipReader& reader, std::uint32_t piece)
    {
        std::string out;
        std::string buffer(piece, '\0');
        while (std::uint32_t n = reader.ReadEntry(buffer.data(), piece))
            out.append(buffer.data(), n);
        return out;
    }

    TempFolder m_folder;
};

}

TEST_F(ZipReaderTest, EndRecordMustBeFoundAndConsistent)
{
    ZipEntryParts entry { .name = "x.bin", .data = "payload" };
    EXPECT_EQ(OpenCause(BuildZip({ entry })), 0);
    EXPECT_EQ(OpenCause(BuildZip({ entry }, { .comment = std::string(65000, 'c') })), 0);
    EXPECT_EQ(OpenCause(BuildZip({ entry }, { .comment = std::string(65535, 'c') })), CZipException::kBadArchive) << "record too far back";
    EXPECT_EQ(OpenCause(BuildZip({ entry }, { .trailing = std::string(70000, 't') })), CZipException::kBadArchive);
    EXPECT_EQ(OpenCause(BuildZip({ entry }, { .disk = 1 })), CZipException::kBadArchive);
    EXPECT_EQ(OpenCause(BuildZip({ entry }, { .centralDisk = 2 })), CZipException::kBadArchive);
    EXPECT_EQ(OpenCause(BuildZip({ entry, entry }, { .entriesOnDisk = 1 })), CZipException::kBadArchive);
    EXPECT_EQ(OpenCause(BuildZip({})), CZipException::kBadArchive) << "no entries";
    EXPECT_EQ(OpenCause(""), CZipException::kBadArchive);
    EXPECT_EQ(OpenCause("PK\x05\x06"), CZipException::kBadArchive);
    EXPECT_EQ(OpenCause(std::string(5000, 'x')), CZipException::kBadArchive);

    // The record claims a central directory larger than what precedes it.
    std::string zip = BuildZip({ entry });
    zip[zip.size() - 22 + 12] = '\x7f';
    EXPECT_EQ(OpenCause(zip), CZipException::kBadArchive);
}

TEST_F(ZipReaderTest, MissingArchiveIsAFileError)
{
    std::string path = m_folder.Windows("missing.zip");
    EXPECT_THROW(CZipReader reader(path), plat::FileException);
}

TEST_F(ZipReaderTest, LocalHeaderMustAgreeWithTheCentralHeader)
{
    auto openCause = [&](const ZipEntryParts& entry) {
        std::string path = Write(BuildZip({ entry }));
        return CauseOf([&] {
            CZipReader reader(path);
            reader.OpenEntry();
        });
    };
    ZipEntryParts entry { .name = "x.bin", .data = "payload" };
    EXPECT_EQ(openCause(entry), 0);
    EXPECT_EQ(openCause({ .name = "x.bin", .data = "payload", .method = 12 }), CZipException::kBadArchive);
    EXPECT_EQ(openCause({ .name = "x.bin", .data = "payload", .method = 0, .localMethod = 8 }), CZipException::kBadArchive);

    // A local CRC or name length that differs from the central one.
    std::string zip = BuildZip({ entry });
    zip[14] ^= 1;
    EXPECT_EQ(CauseOf([&] {
        CZipReader reader(Write(zip));
        reader.OpenEntry();
    }),
        CZipException::kBadArchive);
    zip = BuildZip({ entry });
    zip[26] = 4;
    EXPECT_EQ(CauseOf([&] {
        CZipReader reader(Write(zip));
        reader.OpenEntry();
    }),
        CZipException::kBadArchive);
}

TEST_F(ZipReaderTest, EntryInformationAndNameBuffers)
{
    std::string path = Write(BuildZip({ { .name = "folder/name.txt", .data = "abc", .externalAttributes = 0x21 } }));
    CZipReader reader(path);
    CZipReader::EntryInfo info;
    reader.GetEntryInfo(&info, nullptr, 0, nullptr, 0, nullptr, 0);
    EXPECT_EQ(info.nameLength, 15u);
    EXPECT_EQ(info.method, 8u);
    EXPECT_EQ(info.uncompressedSize, 3u);
    EXPECT_EQ(info.crc, 0x352441c2u);
    EXPECT_EQ(info.externalAttributes, 0x21u);
    EXPECT_EQ(info.dosDateTime >> 16, std::uint32_t((2019 - 1980) << 9 | 6 << 5 | 15));

    char name[32];
    std::memset(name, '#', sizeof name);
    reader.GetEntryInfo(nullptr, name, 6, nullptr, 0, nullptr, 0);
    EXPECT_EQ(std::string(name, 7), "folder#") << "no zero byte without room";
    reader.GetEntryInfo(nullptr, name, sizeof name, nullptr, 0, nullptr, 0);
    EXPECT_STREQ(name, "folder/name.txt");
    char comment[4] = { '#', '#', '#', '#' };
    reader.GetEntryInfo(nullptr, nullptr, 0, nullptr, 0, comment, sizeof comment);
    EXPECT_EQ(comment[0], '\0');
}

TEST_F(ZipReaderTest, ReadsStoredAndDeflatedDataInAnyPieceSize)
{
    std::string data = PatternBytes(70000) + std::string(100000, 'a');
    for (std::uint16_t method : { 0, 8 }) {
        std::string path = Write(BuildZip({ { .name = "x", .data = data, .method = method } }));
        for (std::uint32_t piece : { 1u, 777u, 10240u, 1u << 20 }) {
            CZipReader reader(path);
            reader.OpenEntry();
            EXPECT_TRUE(ReadAll(reader, piece) == data) << "method " << method << " piece " << piece;
            EXPECT_NO_THROW(reader.CloseArchive());
        }
    }
}

TEST_F(ZipReaderTest, OperationsOutOfOrder)
{
    std::string path = Write(BuildZip({ { .name = "x", .data = "abc" } }));
    CZipReader reader(path);
    char buffer[8];
    EXPECT_EQ(CauseOf([&] { reader.ReadEntry(buffer, sizeof buffer); }), CZipException::kOutOfOrder);
    EXPECT_NO_THROW(reader.CloseEntry());
    reader.OpenEntry();
    EXPECT_EQ(reader.ReadEntry(buffer, 0), 0u);
    EXPECT_EQ(reader.ReadEntry(nullptr, 8), 0u);
    // Opening again closes the first opening; nothing was delivered, so no CRC check.
    EXPECT_NO_THROW(reader.OpenEntry());
    EXPECT_EQ(reader.ReadEntry(buffer, sizeof buffer), 3u);
    EXPECT_EQ(reader.ReadEntry(buffer, sizeof buffer), 0u);
}

TEST_F(ZipReaderTest, DamagedDataAndChecksums)
{
    auto readCause = [&](const ZipEntryParts& entry) {
        std::string path = Write(BuildZip({ entry }));
        return CauseOf([&] {
            CZipReader reader(path);
            reader.OpenEntry();
            ReadAll(reader, 10240);
            reader.CloseArchive();
        });
    };
    std::string data = PatternBytes(50000);
    std::string damaged = RawDeflate(data);
    damaged[0] = '\xff'; // an invalid block type
    EXPECT_EQ(readCause({ .name = "x", .data = data, .compressed = damaged }), CZipException::kDataError);
    EXPECT_EQ(readCause({ .name = "x", .data = data, .crc = 0x12345678 }), CZipException::kBadCrc);
    EXPECT_EQ(readCause({ .name = "x", .data = data, .method = 0, .crc = 0x12345678 }), CZipException::kBadCrc);
    // Compressed data cut short, and a stored entry shorter than its size:
    // the entry ends before its declared size.
    std::string deflated = RawDeflate(data);
    EXPECT_EQ(readCause({ .name = "x", .data = data, .compressed = deflated.substr(0, 1000) }), CZipException::kBadArchive);
    EXPECT_EQ(readCause({ .name = "x", .data = data, .method = 0, .compressed = data.substr(0, 10), .uncompressedSize = 50000 }),
        CZipException::kBadArchive);
    // Declared shorter than the data: what was declared is delivered, without a CRC match.
    EXPECT_EQ(readCause({ .name = "x", .data = data, .uncompressedSize = 100 }), CZipException::kBadCrc);
}

TEST_F(ZipReaderTest, TruncatedArchivesAreBadArchives)
{
    std::string zip = BuildZip({ { .name = "entry.bin", .data = PatternBytes(40000), .method = 0 } });
    std::size_t dataEnd = 30 + 9 + 40000;
    // The archive stays findable (its end record kept) but lies about what precedes it.
    std::string cut = zip.substr(0, 1000) + zip.substr(dataEnd);
    EXPECT_NE(CauseOf([&] {
        CZipReader reader(Write(cut));
        reader.OpenEntry();
        std::string buffer(10240, '\0');
        while (reader.ReadEntry(buffer.data(), 10240) > 0) {
        }
    }),
        0);
    for (std::size_t keep = 0; keep < zip.size(); keep += 997) {
        EXPECT_EQ(OpenCause(zip.substr(0, keep)), CZipException::kBadArchive) << keep;
    }
}
