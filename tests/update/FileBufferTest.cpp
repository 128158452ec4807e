#include "update/FileBuffer.h"

#include "UpdateRunFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> AllLines(CFileBuffer& buffer)
{
    std::vector<std::string> lines;
    std::string line;
    while (buffer.ReadLine(line) == 0)
        lines.push_back(line);
    return lines;
}

TEST(FileBuffer, LoadResults)
{
    UpdateRunFolder folder;
    CFileBuffer buffer;
    std::string line;
    EXPECT_EQ(buffer.ReadLine(line), 1);
    EXPECT_EQ(buffer.Load(folder.Windows() + "missing.htm"), CFileBuffer::kNotOpened);
    EXPECT_EQ(buffer.Load(folder.Windows() + "data"), CFileBuffer::kNotOpened);
    EXPECT_EQ(buffer.ReadLine(line), 1);

    folder.Write("empty.htm", "");
    EXPECT_EQ(buffer.Load(folder.Windows() + "empty.htm"), CFileBuffer::kLoaded);
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(buffer.ReadLine(line), 1);

    folder.Write("a.htm", "first\r\nsecond");
    EXPECT_EQ(buffer.Load("a.htm"), CFileBuffer::kLoaded);
    EXPECT_EQ(buffer.GetSize(), 13u);
    buffer.Clear();
    EXPECT_EQ(buffer.ReadLine(line), 1);
}

TEST(FileBuffer, LinesAreUntrimmedAndBreakRunsAreOneBreak)
{
    UpdateRunFolder folder;
    folder.Write("a.htm", std::string("\r\n  lead\t \rmid\n\n\r\r\nlast ") + '\0' + "after NUL\r\n");
    CFileBuffer buffer;
    ASSERT_EQ(buffer.Load("a.htm"), 0);
    EXPECT_EQ(AllLines(buffer), (std::vector<std::string> { "", "  lead\t ", "mid", "last " }));
    std::string line = "kept";
    EXPECT_EQ(buffer.ReadLine(line), 1);

    // Loading again starts over with the new content.
    folder.Write("b.htm", "\xC4\xE3\xBA\xC3");
    ASSERT_EQ(buffer.Load("b.htm"), 0);
    EXPECT_EQ(AllLines(buffer), (std::vector<std::string> { "\xC4\xE3\xBA\xC3" }));
}

TEST(FileBuffer, EntryLinesSkipOnlyCommentsAtTheFirstByte)
{
    UpdateRunFolder folder;
    folder.Write("a.htm", "//one\n // two\n/x\n//\n");
    CFileBuffer buffer;
    ASSERT_EQ(buffer.Load("a.htm"), 0);
    std::string line;
    ASSERT_EQ(buffer.ReadEntryLine(line), 0);
    EXPECT_EQ(line, " // two");
    ASSERT_EQ(buffer.ReadEntryLine(line), 0);
    EXPECT_EQ(line, "/x");
    EXPECT_EQ(buffer.ReadEntryLine(line), 1);
}

TEST(FileBuffer, FindsTheFirstLineStartingWithAPrefixIgnoringAsciiCase)
{
    UpdateRunFolder folder;
    folder.Write("a.htm", " [LIST]\n[lis\n[List] and more\n[LIST]\nentry\n");
    CFileBuffer buffer;
    ASSERT_EQ(buffer.Load("a.htm"), 0);
    std::string line;
    ASSERT_EQ(buffer.FindLineStartingWith("[LIST]", line), 0);
    EXPECT_EQ(line, "[List] and more");
    ASSERT_EQ(buffer.ReadLine(line), 0);
    EXPECT_EQ(line, "[LIST]");
    EXPECT_EQ(buffer.FindLineStartingWith("[LIST]", line), 1);
}

TEST(FileBuffer, LongLinesComeBackWhole)
{
    UpdateRunFolder folder;
    const std::string longLine(100 * 1024, 'x');
    folder.Write("a.htm", "short\n" + longLine + "\nend");
    CFileBuffer buffer;
    ASSERT_EQ(buffer.Load("a.htm"), 0);
    EXPECT_EQ(AllLines(buffer), (std::vector<std::string> { "short", longLine, "end" }));
}

}
