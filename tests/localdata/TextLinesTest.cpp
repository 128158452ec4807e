#include "localdata/TextLines.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

using lvtest::ReadNative;
using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

// The lines ReadLine gives for a file holding `bytes`.
std::vector<std::string> LinesOf(const std::string& bytes, FileText encoding = FileText::Cp936)
{
    TempFolder scratch;
    WriteNative(scratch.Native("f.txt"), bytes);
    CTextLines text;
    EXPECT_EQ(text.Load(scratch.Native("f.txt"), encoding), 0);
    std::vector<std::string> lines;
    std::string line;
    while (text.ReadLine(line) == 0)
        lines.push_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

const std::string kDetectUpdateCp936 = "\xBC\xEC\xB2\xE2\xB8\xFC\xD0\xC2"; // 检测更新

}

TEST(TextLines, LineBreaksInAnyMixAndRunsCountAsOne)
{
    EXPECT_EQ(LinesOf("a\r\nb\r\nc"), (Lines { "a", "b", "c" }));
    EXPECT_EQ(LinesOf("a\rb\rc"), (Lines { "a", "b", "c" })) << "CR alone ends a line";
    EXPECT_EQ(LinesOf("a\nb\n\r\n\n\rc\r\n\r\n"), (Lines { "a", "b", "c" })) << "empty lines are skipped";
    EXPECT_EQ(LinesOf("\r\n\r\nfirst\nsecond"), (Lines { "", "first", "second" }))
        << "leading breaks give one empty first line";
    EXPECT_EQ(LinesOf(""), Lines {});
    EXPECT_EQ(LinesOf("no break at all"), (Lines { "no break at all" }));
}

TEST(TextLines, LinesAreTrimmedOfEveryBlankKind)
{
    EXPECT_EQ(LinesOf(" \t\v\fvalue with  inner  spaces \t\v\f\r\n"), (Lines { "value with  inner  spaces" }));
    EXPECT_EQ(LinesOf("a\n \t \nb"), (Lines { "a", "", "b" })) << "a blank-only line reads as empty";
    EXPECT_EQ(LinesOf("\xE3\x80\x80wide\xE3\x80\x80"), (Lines { "\xE3\x80\x80wide\xE3\x80\x80" }))
        << "only ASCII blanks are trimmed";
}

TEST(TextLines, ReadingPastTheEndLeavesTheOutputAlone)
{
    CTextLines text;
    std::string line = "untouched";
    EXPECT_EQ(text.ReadLine(line), 1);
    EXPECT_EQ(text.SeekTag("[X]", line), 1);
    EXPECT_EQ(text.ReadValueLine(line), 1);
    text.AppendLine("// only a comment");
    EXPECT_EQ(text.ReadValueLine(line), 1);
    EXPECT_EQ(line, "untouched");
    text.Rewind();
    EXPECT_EQ(text.ReadLine(line), 0);
    EXPECT_EQ(line, "// only a comment");
}

TEST(TextLines, SeekTagMatchesWholeLinesIgnoringAsciiCase)
{
    CTextLines text;
    for (const char* l : { "[MAIN_URL] extra", "x[MAIN_URL]", "  \t[main_Url]  ", "after", "[测试a]", "next" })
        text.AppendLine(l);
    std::string line;
    ASSERT_EQ(text.SeekTag("[MAIN_URL]", line), 0);
    EXPECT_EQ(line, "[main_Url]");
    ASSERT_EQ(text.ReadLine(line), 0);
    EXPECT_EQ(line, "after") << "the cursor stands after the tag line";
    EXPECT_EQ(text.SeekTag("[测试A]", line), 0);
    EXPECT_EQ(text.SeekTag("[MAIN_URL]", line), 1) << "the search goes on from the cursor";
    EXPECT_EQ(line, "[测试a]");
    text.Rewind();
    EXPECT_EQ(text.SeekTag("[MAIN_URL", line), 1);
    text.Rewind();
    EXPECT_EQ(text.SeekTag("[测试A] ", line), 1) << "the tag itself is not trimmed";
}

TEST(TextLines, ValueLinesSkipCommentsOnly)
{
    CTextLines text;
    for (const char* l : { "// comment", "   // indented comment", "//", "/single slash", "// later" })
        text.AppendLine(l);
    std::string line;
    ASSERT_EQ(text.ReadValueLine(line), 0);
    EXPECT_EQ(line, "/single slash");
}

TEST(TextLines, LoadConvertsCodePage936AndKeepsUtf8)
{
    EXPECT_EQ(LinesOf("[LOG]\r\n" + kDetectUpdateCp936 + "\r\n"), (Lines { "[LOG]", "检测更新" }));
    EXPECT_EQ(LinesOf("[LOG]\n检测更新\n"), (Lines { "[LOG]", "检测更新" })) << "a file that is all UTF-8 is UTF-8";
    EXPECT_EQ(LinesOf("\xEF\xBB\xBF[MAIN_URL]\nx"), (Lines { "[MAIN_URL]", "x" })) << "byte-order mark dropped";
    EXPECT_EQ(LinesOf(kDetectUpdateCp936 + "\n", FileText::Raw), (Lines { kDetectUpdateCp936 }));
    EXPECT_EQ(LinesOf("[MAIN_URL]\n\xFFhttp://a/\x81\nnext\n"), (Lines { "[MAIN_URL]", "\uFFFDhttp://a/\uFFFD", "next" }))
        << "bytes that are not code page 936 are replaced, the rest is read";
}

TEST(TextLines, NulEndsTheText)
{
    EXPECT_EQ(LinesOf(std::string("a\nb\0c\nd", 7)), (Lines { "a", "b" }));
    EXPECT_EQ(LinesOf(std::string("\0[MAIN_URL]\nx", 13)), Lines {});
    EXPECT_EQ(LinesOf(kDetectUpdateCp936 + std::string("\0\xFF", 2)), (Lines { "检测更新" }));
}

TEST(TextLines, LoadFailureEmptiesTheText)
{
    TempFolder scratch;
    std::filesystem::create_directory(scratch.Native("dir"));
    CTextLines text;
    text.AppendLine("old");
    std::string line;
    text.ReadLine(line);
    EXPECT_EQ(text.Load(scratch.Native("missing.htm")), 1);
    EXPECT_EQ(text.GetText(), "");
    EXPECT_EQ(text.ReadLine(line), 1);
    EXPECT_EQ(text.Load(scratch.Native("dir")), 1) << "a folder is not a text file";
    EXPECT_EQ(text.Load(""), 1);
}

TEST(TextLines, SaveWritesCodePage936WithCrLf)
{
    TempFolder scratch;
    CTextLines log;
    log.AppendLine("检测更新");
    log.AppendLine("更新文件:data\\a.dll ....");
    log.AppendLine("FileLength:1234");
    log.AppendLine("更新完成");
    std::string line;
    log.ReadLine(line);
    ASSERT_EQ(log.Save(scratch.Native("update.txt")), 0);
    EXPECT_EQ(ReadNative(scratch.Native("update.txt")),
        kDetectUpdateCp936 + "\r\n\xB8\xFC\xD0\xC2\xCE\xC4\xBC\xFE:data\\a.dll ....\r\nFileLength:1234\r\n"
                             "\xB8\xFC\xD0\xC2\xCD\xEA\xB3\xC9\r\n");
    ASSERT_EQ(log.ReadLine(line), 0);
    EXPECT_EQ(line, "更新文件:data\\a.dll ....") << "saving leaves the cursor alone";

    CTextLines reread;
    ASSERT_EQ(reread.Load(scratch.Native("update.txt")), 0);
    EXPECT_EQ(reread.GetText(), log.GetText());
}

TEST(TextLines, SaveReplacesOrFailsWithoutHarm)
{
    TempFolder scratch;
    WriteNative(scratch.Native("update.txt"), "a much longer old log that must not survive in part");
    CTextLines log;
    log.AppendLine("短");
    ASSERT_EQ(log.Save(scratch.Native("update.txt")), 0);
    EXPECT_EQ(ReadNative(scratch.Native("update.txt")), "\xB6\xCC\r\n");

    std::filesystem::create_directory(scratch.Native("dir"));
    EXPECT_EQ(log.Save(scratch.Native("dir")), 1);
    EXPECT_EQ(log.Save(scratch.Native("missing/update.txt")), 1);
    EXPECT_EQ(log.GetText(), "短\r\n");

    CTextLines odd;
    odd.AppendLine("emoji 😀 and raw \xFF byte");
    ASSERT_EQ(odd.Save(scratch.Native("odd.txt")), 0) << "a log is never dropped for a character";
    EXPECT_EQ(ReadNative(scratch.Native("odd.txt")), "emoji ? and raw ? byte\r\n");
    ASSERT_EQ(odd.Save(scratch.Native("raw.txt"), FileText::Raw), 0);
    EXPECT_EQ(ReadNative(scratch.Native("raw.txt")), "emoji 😀 and raw \xFF byte\r\n");
}
