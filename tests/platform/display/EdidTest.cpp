// The EDID parser against blobs built from the published base-block
// layout, each field at its extremes, and every way a blob can be broken.

#include "platform/display/Edid.h"

#include "support/EdidBlob.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using lvtest::Blob;
using lvtest::BlobFields;
using lvtest::FixChecksum;
using lvtest::MakeBlob;

plat::EdidResult Parse(const Blob& b, plat::EdidInfo* info)
{
    return plat::ParseEdid({ b.data(), b.size() }, info);
}

TEST(EdidTest, FieldsAtTheirExtremes)
{
    struct Case {
        const char* what;
        std::function<void(BlobFields&)> set;
        std::function<void(const plat::EdidInfo&)> check;
    };
    const Case cases[] = {
        { "valid", [](BlobFields&) {},
            [](const plat::EdidInfo& i) {
                EXPECT_EQ(i.maker, "ABC");
                EXPECT_EQ(i.productCode, 0x1234u);
                EXPECT_EQ(i.serialNumber, 0x01020304u);
                EXPECT_EQ(i.week, 12);
                EXPECT_EQ(i.year, 2019);
                EXPECT_FALSE(i.modelYear);
                EXPECT_EQ(i.name, "LV Monitor");
                EXPECT_EQ(i.serialText, "SN-42");
                EXPECT_EQ(i.preferredWidth, 1920);
                EXPECT_EQ(i.preferredHeight, 1080);
                EXPECT_EQ(i.widthMm, 527);
                EXPECT_EQ(i.heightMm, 296);
            } },
        { "maker AAA", [](BlobFields& f) { f.maker = "AAA"; }, [](const plat::EdidInfo& i) { EXPECT_EQ(i.maker, "AAA"); } },
        { "maker ZZZ", [](BlobFields& f) { f.maker = "ZZZ"; }, [](const plat::EdidInfo& i) { EXPECT_EQ(i.maker, "ZZZ"); } },
        { "maker not letters", [](BlobFields& f) { f.maker = "A[A"; }, [](const plat::EdidInfo& i) { EXPECT_EQ(i.maker, ""); } },
        { "product and serial 0", [](BlobFields& f) { f.product = 0; f.serial = 0; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.productCode, 0u); EXPECT_EQ(i.serialNumber, 0u); } },
        { "product and serial max", [](BlobFields& f) { f.product = 0xFFFF; f.serial = 0xFFFFFFFF; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.productCode, 0xFFFFu); EXPECT_EQ(i.serialNumber, 0xFFFFFFFFu); } },
        { "week 0, year 1990", [](BlobFields& f) { f.week = 0; f.year = 0; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.week, 0); EXPECT_EQ(i.year, 1990); } },
        { "week 54, year 2245", [](BlobFields& f) { f.week = 54; f.year = 255; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.week, 54); EXPECT_EQ(i.year, 2245); } },
        { "week 55 is no week", [](BlobFields& f) { f.week = 55; }, [](const plat::EdidInfo& i) { EXPECT_EQ(i.week, 0); } },
        { "model year", [](BlobFields& f) { f.week = 0xFF; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.week, 0); EXPECT_TRUE(i.modelYear); } },
        { "13-character name, no line feed", [](BlobFields& f) { f.name = "ABCDEFGHIJKLM"; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.name, "ABCDEFGHIJKLM"); } },
        { "empty texts", [](BlobFields& f) { f.name = ""; f.serialText = ""; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.name, ""); EXPECT_EQ(i.serialText, ""); } },
        { "control bytes in a name", [](BlobFields& f) { f.name = std::string("a\x01<b\x7f", 5); },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.name, "a?<b?"); } },
        { "largest mode", [](BlobFields& f) { f.width = 4095; f.height = 4095; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.preferredWidth, 4095); EXPECT_EQ(i.preferredHeight, 4095); } },
        { "largest picture size", [](BlobFields& f) { f.widthMm = 4095; f.heightMm = 4095; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.widthMm, 4095); EXPECT_EQ(i.heightMm, 4095); } },
        { "size in centimetres only", [](BlobFields& f) { f.widthMm = 0; f.heightMm = 0; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.widthMm, 530); EXPECT_EQ(i.heightMm, 300); } },
        { "aspect ratio is no size", [](BlobFields& f) { f.widthMm = 0; f.heightMm = 0; f.heightCm = 0; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.widthMm, 0); EXPECT_EQ(i.heightMm, 0); } },
        // The identity sits in the base block, which is whole and sound.
        { "extension announced, none there", [](BlobFields& f) { f.extensions = 1; },
            [](const plat::EdidInfo& i) { EXPECT_EQ(i.extensions, 1); EXPECT_EQ(i.maker, "ABC"); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BlobFields fields;
        c.set(fields);
        plat::EdidInfo info;
        ASSERT_EQ(Parse(MakeBlob(fields), &info), plat::EdidResult::Ok);
        c.check(info);
    }
}

TEST(EdidTest, BrokenBlobsAreRefused)
{
    Blob valid = MakeBlob({});
    Blob badSum = valid;
    badSum[127] ^= 1;
    Blob badHeader = valid;
    badHeader[0] = 1;
    FixChecksum(badHeader);
    Blob noTiming = valid;
    noTiming[54] = noTiming[55] = 0; // now a descriptor with tag 0: no mode
    FixChecksum(noTiming);
    Blob huge = valid;
    huge.resize(64 * 1024);
    Blob withExtension = valid;
    withExtension.resize(256, 0);

    struct Case {
        const char* what;
        Blob blob;
        plat::EdidResult expected;
    };
    const Case cases[] = {
        { "0 bytes", {}, plat::EdidResult::TooShort },
        { "127 bytes", Blob(valid.begin(), valid.end() - 1), plat::EdidResult::TooShort },
        { "64 KB", huge, plat::EdidResult::TooLong },
        { "bad checksum", badSum, plat::EdidResult::BadChecksum },
        { "bad header", badHeader, plat::EdidResult::BadHeader },
        { "no detailed timing", noTiming, plat::EdidResult::Ok },
        { "base block and one extension", withExtension, plat::EdidResult::Ok },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        plat::EdidInfo info;
        info.maker = "untouched";
        EXPECT_EQ(Parse(c.blob, &info), c.expected);
        if (c.expected != plat::EdidResult::Ok) {
            EXPECT_EQ(info.maker, "untouched");
        }
    }
    plat::EdidInfo info;
    ASSERT_EQ(Parse(noTiming, &info), plat::EdidResult::Ok);
    EXPECT_EQ(info.preferredWidth, 0);
}

}
