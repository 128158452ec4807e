#include "platform/text/Cp936.h"
#include "platform/text/Utf8.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace plat;

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

}

TEST(Cp936, ProgramTextsRoundTripWithTheirKnownBytes)
{
    struct Case {
        const char* utf8;
        std::string cp936;
    };
    const Case cases[] = {
        { "检测更新", Bytes({ 0xBC, 0xEC, 0xB2, 0xE2, 0xB8, 0xFC, 0xD0, 0xC2 }) },
        { "更新完成", Bytes({ 0xB8, 0xFC, 0xD0, 0xC2, 0xCD, 0xEA, 0xB3, 0xC9 }) },
        { "关于 LV(&A)...", Bytes({ 0xB9, 0xD8, 0xD3, 0xDA }) + " LV(&A)..." },
        { "更新文件:data\\lv.exe 成功\r\n", Bytes({ 0xB8, 0xFC, 0xD0, 0xC2, 0xCE, 0xC4, 0xBC, 0xFE }) + ":data\\lv.exe " + Bytes({ 0xB3, 0xC9, 0xB9, 0xA6 }) + "\r\n" },
    };
    for (const Case& c : cases) {
        ConversionResult encoded = Utf8ToCp936(c.utf8);
        ASSERT_TRUE(encoded.Ok()) << c.utf8;
        EXPECT_EQ(encoded.text, c.cp936) << c.utf8;
        ConversionResult decoded = Cp936ToUtf8(c.cp936);
        ASSERT_TRUE(decoded.Ok()) << c.utf8;
        EXPECT_EQ(decoded.text, c.utf8);
    }
    const char* more[] = { "测试时显示提示信息", "宋体", "显示器测试", "Lumivex显示器测试器 Ver1.66 正式版", "",
        "€·—“”…　、。《》【】" };
    for (const char* text : more) {
        ConversionResult encoded = Utf8ToCp936(text);
        ASSERT_TRUE(encoded.Ok()) << text;
        EXPECT_EQ(Cp936ToUtf8(encoded.text).text, text);
    }
}

TEST(Cp936, NulAndAsciiPassThroughWhole)
{
    const std::string withNul("a\0b\x80", 4);
    ConversionResult decoded = Cp936ToUtf8(withNul);
    ASSERT_TRUE(decoded.Ok());
    EXPECT_EQ(decoded.text, std::string("a\0b\xE2\x82\xAC", 6)) << "0x80 is the euro sign; NUL does not end the text";
    std::string ascii;
    for (int c = 0; c < 0x80; ++c)
        ascii += static_cast<char>(c);
    EXPECT_EQ(Cp936ToUtf8(ascii).text, ascii);
    EXPECT_EQ(Utf8ToCp936(ascii).text, ascii);
}

TEST(Cp936, BytesThatAreNotCodePage936AreReportedWithTheirOffset)
{
    struct Case {
        std::string bytes;
        std::size_t offset;
    };
    const Case cases[] = {
        { "ok\xFF", 2 },                            // never a character
        { Bytes({ 0xBC, 0xEC, 0xB2 }), 2 },         // ends inside a character
        { "ab" + Bytes({ 0x81, 0x20 }) + "cd", 2 }, // lead byte without a valid trail byte
        { Bytes({ 0x81, 0x7F }), 0 },
    };
    for (const Case& c : cases) {
        ConversionResult result = Cp936ToUtf8(c.bytes);
        EXPECT_EQ(result.status, ConversionStatus::InvalidInput);
        EXPECT_EQ(result.errorOffset, c.offset);
        EXPECT_EQ(result.text, "") << "no partial text is handed out";
    }
}

TEST(Cp936, Utf8ThatIsInvalidOrUnmappable)
{
    ConversionResult bad = Utf8ToCp936("检测\xE6\xA3");
    EXPECT_EQ(bad.status, ConversionStatus::InvalidInput);
    EXPECT_EQ(bad.errorOffset, 6u);
    EXPECT_EQ(bad.text, "");

    ConversionResult emoji = Utf8ToCp936("ok 😀 检测");
    EXPECT_EQ(emoji.status, ConversionStatus::Unmappable);
    EXPECT_EQ(emoji.errorOffset, 3u);
    EXPECT_EQ(emoji.text, "");

    ConversionResult replaced = Utf8ToCp936("ok 😀 ☃ 检测 \xFF\xE6\xA3!", BadInput::Replace);
    ASSERT_TRUE(replaced.Ok());
    EXPECT_EQ(replaced.text, "ok ? ? " + Bytes({ 0xBC, 0xEC, 0xB2, 0xE2 }) + " ???"
                                                                             "!");
    EXPECT_EQ(replaced.replaced, 5u);
}

TEST(Cp936, ReplacingBadBytesKeepsEverythingAroundThem)
{
    // A lead byte before a line break must not swallow the break.
    ConversionResult result = Cp936ToUtf8("[MAIN_URL]\x81\r\nhttp://x/\xFF\xBC\xEC\xB2", BadInput::Replace);
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.text, "[MAIN_URL]\uFFFD\r\nhttp://x/\uFFFD检\uFFFD");
    EXPECT_EQ(result.replaced, 3u);

    std::string binary;
    for (int i = 0; i < 1 << 20; ++i)
        binary += static_cast<char>((i * 2654435761u) >> 24);
    ConversionResult big = Cp936ToUtf8(binary, BadInput::Replace);
    ASSERT_TRUE(big.Ok()) << "a megabyte of noise converts in one pass";
    EXPECT_GT(big.replaced, 0u);
    EXPECT_TRUE(IsValidUtf8(big.text));
}

TEST(Cp936, ReplacingManyUnmappableCharactersTakesLinearTime)
{
    // A log full of characters code page 936 lacks, with bytes that are not
    // UTF-8 among them. Each rejected character once made the converter go
    // back over thousands of characters: this took close to a minute.
    const std::string line = "ĀĀĀĀĀĀĀĀ检\xFF\r\n";
    const std::string expected = "????????" + Bytes({ 0xBC, 0xEC }) + "?\r\n";
    constexpr int kLines = 200000;
    std::string log;
    std::string cp936;
    for (int i = 0; i < kLines; ++i) {
        log += line;
        cp936 += expected;
    }
    timespec start {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    ConversionResult result = Utf8ToCp936(log, BadInput::Replace);
    timespec end {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    const double seconds = static_cast<double>(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) * 1e-9;
    ASSERT_TRUE(result.Ok());
    EXPECT_TRUE(result.text == cp936) << "sizes " << result.text.size() << " and " << cp936.size();
    EXPECT_EQ(result.replaced, 9u * kLines);
    EXPECT_LT(seconds, 5.0) << "1.8 million replacements, CPU time";
}

TEST(Cp936, LargeInputConvertsWhole)
{
    std::string utf8;
    for (int i = 0; i < 100000; ++i)
        utf8 += "检测更新 abc\r\n";
    ConversionResult encoded = Utf8ToCp936(utf8);
    ASSERT_TRUE(encoded.Ok());
    EXPECT_EQ(encoded.text.size(), 100000u * 14);
    ConversionResult decoded = Cp936ToUtf8(encoded.text);
    ASSERT_TRUE(decoded.Ok());
    EXPECT_EQ(decoded.text, utf8) << "output grows past the first guess without losing bytes";
}

TEST(Utf8, AcceptsWellFormedTextOnly)
{
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain [MAIN_URL]\r\n"));
    EXPECT_TRUE(IsValidUtf8("检测更新 😀 \xC2\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF"));
    EXPECT_TRUE(IsValidUtf8(std::string("a\0b", 3)));
    const std::pair<std::string, std::size_t> invalid[] = {
        { "\x80", 0 },       // stray continuation
        { "ab\xC0\xAF", 2 }, // overlong '/'
        { "\xC1\xBF", 0 },
        { "\xE0\x80\xAF", 0 },
        { "\xF0\x80\x80\xAF", 0 },
        { "x\xED\xA0\x80", 1 },    // surrogate
        { "\xF4\x90\x80\x80", 0 }, // past U+10FFFF
        { "\xF5\x80\x80\x80", 0 },
        { "\xE6\xA3", 0 }, // truncated at the end
        { "\xE6\xA3x", 0 },
        { Bytes({ 0xBC, 0xEC, 0xB2, 0xE2 }), 0 }, // code page 936 text
        { "\xFF", 0 },
    };
    for (const auto& [bytes, offset] : invalid) {
        EXPECT_FALSE(IsValidUtf8(bytes));
        EXPECT_EQ(FirstInvalidUtf8(bytes), offset);
    }
}

TEST(Utf8, DecodesCodePointsWithOneReplacementPerBadByte)
{
    EXPECT_EQ(DecodeUtf8(""), U"");
    EXPECT_EQ(DecodeUtf8("a检 😀\xF4\x8F\xBF\xBF"), U"a检 😀\U0010FFFF");
    EXPECT_EQ(DecodeUtf8("\xE6\xA3x"), U"\uFFFD\uFFFDx") << "truncated sequence";
    EXPECT_EQ(DecodeUtf8("\xC0\xAF/"), U"\uFFFD\uFFFD/") << "overlong";
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD") << "surrogate";
    EXPECT_EQ(DecodeUtf8("\xE6\xA3"), U"\uFFFD\uFFFD") << "cut at the end";
}
