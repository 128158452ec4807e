#include "update/Md5.h"

#include "Md5Hex.h"
#include "support/PatternBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <random>

using lvtest::PatternBytes;
using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

// The digest as an independent program computes it.
std::string Md5sumOf(const std::string& nativePath)
{
    std::string command = "md5sum '" + nativePath + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "";
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    pclose(pipe);
    return read ? std::string(line).substr(0, 32) : "";
}

}

TEST(Md5, ReferenceSuite)
{
    EXPECT_EQ(Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Md5Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(Md5Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(Md5Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
        "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(Md5Hex("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
        "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, FilesOnChunkAndPaddingBoundariesMatchAnIndependentDigest)
{
    TempFolder folder;
    CMd5 md5;
    for (std::size_t size : { 0, 3, 55, 56, 57, 63, 64, 65, 119, 120, 1023, 1024, 1025, 2048, 10 * 1024 * 1024 + 13 }) {
        std::string name = "f" + std::to_string(size);
        WriteNative(folder.Native(name), PatternBytes(size, static_cast<unsigned>(size)));
        std::string hex;
        EXPECT_EQ(md5.FileDigest(folder.Windows(name), hex), 0);
        EXPECT_EQ(hex, Md5sumOf(folder.Native(name))) << "size " << size;
    }
    WriteNative(folder.Native("abc"), "abc");
    std::string hex;
    EXPECT_EQ(md5.FileDigest(folder.Windows("abc"), hex), 0);
    EXPECT_EQ(hex, "900150983cd24fb0d6963f7d28e17f72");
}

TEST(Md5, PiecewiseUpdatesEqualOneUpdate)
{
    std::mt19937 random(42);
    CMd5 md5;
    for (int round = 0; round < 50; ++round) {
        std::string bytes = PatternBytes(random() % 3000, round);
        CMd5::State state;
        CMd5::Init(state);
        for (std::size_t at = 0; at < bytes.size();) {
            std::size_t piece = std::min<std::size_t>(random() % 130, bytes.size() - at);
            CMd5::Update(state, bytes.data() + at, piece);
            at += piece;
        }
        std::uint8_t digest[16];
        md5.Final(digest, state);
        std::string hex;
        for (std::uint8_t byte : digest) {
            hex += "0123456789abcdef"[byte >> 4];
            hex += "0123456789abcdef"[byte & 15];
        }
        EXPECT_EQ(hex, Md5Hex(bytes));
        // Finalising clears the state.
        EXPECT_EQ(state.count[0] | state.count[1] | state.abcd[0] | state.block[0], 0u);
    }
}

TEST(Md5, MissingFileAndAppendingToTheCallersText)
{
    TempFolder folder;
    CMd5 md5;
    std::string hex;
    EXPECT_EQ(md5.FileDigest(folder.Windows("missing"), hex), -1);
    EXPECT_EQ(hex, "");
    EXPECT_EQ(md5.FileDigest(folder.Windows(), hex), -1) << "a folder is not a file";
    EXPECT_EQ(md5.FileDigest("", hex), -1);
    ASSERT_EQ(::mkfifo(folder.Native("fifo").c_str(), 0600), 0);
    EXPECT_EQ(md5.FileDigest(folder.Windows("fifo"), hex), -1) << "a FIFO has no digest and must not block";
    EXPECT_EQ(md5.FileDigest("Z:\\dev\\zero", hex), -1) << "nor has a device";
    EXPECT_EQ(hex, "");

    WriteNative(folder.Native("abc"), "abc");
    EXPECT_EQ(md5.FileDigest(folder.Windows("abc"), hex), 0);
    EXPECT_EQ(md5.FileDigest(folder.Windows("abc"), hex), 0);
    EXPECT_EQ(hex, "900150983cd24fb0d6963f7d28e17f72900150983cd24fb0d6963f7d28e17f72");
}
