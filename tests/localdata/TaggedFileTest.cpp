#include "localdata/TaggedFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>

using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

// A data\main.htm holding `bytes`, loaded into a CTaggedFile.
class MainHtm {
public:
    explicit MainHtm(const std::string& bytes)
    {
        WriteNative(m_scratch.Native("main.htm"), bytes);
        m_loaded = m_file.Load(m_scratch.Native("main.htm"));
    }
    CTaggedFile& File() { return m_file; }
    int Loaded() const { return m_loaded; }

private:
    TempFolder m_scratch;
    CTaggedFile m_file;
    int m_loaded = -1;
};

std::string Value(const std::string& bytes, const char* tag)
{
    MainHtm htm(bytes);
    return htm.File().GetValue(tag);
}

using Items = std::vector<std::string>;

Items List(const std::string& bytes, int capacity = 100)
{
    MainHtm htm(bytes);
    std::vector<std::string> items(static_cast<size_t>(capacity), "unset");
    int n = htm.File().GetList("[FILE_LIST_BEGIN]", "[FILE_LIST_END]", items.data(), capacity);
    EXPECT_TRUE(std::all_of(items.begin() + n, items.end(), [](const std::string& s) { return s == "unset"; }))
        << "entries past the list are not touched";
    items.resize(static_cast<size_t>(n));
    return items;
}

}

TEST(TaggedFile, ValueIsTheNextNonCommentLine)
{
    EXPECT_EQ(Value("[MAIN_URL]\r\nhttp://a/\r\n", "[MAIN_URL]"), "http://a/");
    EXPECT_EQ(Value(" \t[main_url] \r\nhttp://a/", "[MAIN_URL]"), "http://a/");
    EXPECT_EQ(Value("[MAIN_URL] http://b/\r\nhttp://a/", "[MAIN_URL]"), "") << "a tag line holds the tag alone";
    EXPECT_EQ(Value("[MAIN_URL]\n\n  \n// c\n   // c2\nhttp://a/", "[MAIN_URL]"), "")
        << "a blank-only line is an empty value";
    EXPECT_EQ(Value("[MAIN_URL]\n\n\n// c\n   // c2\nhttp://a/", "[MAIN_URL]"), "http://a/");
    EXPECT_EQ(Value("[MAIN_URL]\n/relative\n", "[MAIN_URL]"), "/relative");
    EXPECT_EQ(Value("[MAIN_URL]\n[BUTTON_BUY_URL_V2]\nhttp://buy/", "[MAIN_URL]"), "[BUTTON_BUY_URL_V2]");
    EXPECT_EQ(Value("x\n[MAIN_URL]", "[MAIN_URL]"), "") << "a tag on the last line";
    EXPECT_EQ(Value("[MAIN_URL]\n// only comments follow\n", "[MAIN_URL]"), "");
    EXPECT_EQ(Value("[MAIN_URL]\nfirst\n[MAIN_URL]\nsecond", "[MAIN_URL]"), "first");
    EXPECT_EQ(Value("// [MAIN_URL]\nx\n", "[MAIN_URL]"), "");
    EXPECT_EQ(Value("[SOFT_HOMEPAGE_skiff]\rhttp://s/\r", "[SOFT_HOMEPAGE_SKIFF]"), "http://s/");
}

TEST(TaggedFile, LookupsDoNotDependOnEarlierCalls)
{
    MainHtm htm("[A]\na\n[B]\nb\n[FILE_LIST_BEGIN]\nx\n");
    EXPECT_EQ(htm.File().GetValue("[B]"), "b");
    EXPECT_EQ(htm.File().GetValue("[A]"), "a");
    std::string items[2];
    EXPECT_EQ(htm.File().GetList("[FILE_LIST_BEGIN]", "[FILE_LIST_END]", items, 2), 1);
    EXPECT_EQ(htm.File().GetValue("[A]"), "a");
}

TEST(TaggedFile, ListRunsToTheExactEndTag)
{
    EXPECT_EQ(List("[FILE_LIST_BEGIN]\r\na\r\n// c\r\n  \r\n[file_list_end]\r\nb\r\n[FILE_LIST_END]\r\nafter"),
        (Items { "a", "", "[file_list_end]", "b" }));
    EXPECT_EQ(List("[FILE_LIST_BEGIN]\n[FILE_LIST_END]\na\n"), Items {});
    EXPECT_EQ(List("[file_list_begin]\na\nb"), (Items { "a", "b" })) << "no end tag: up to the end of the text";
    EXPECT_EQ(List("a\nb\n"), Items {});
    EXPECT_EQ(List("[FILE_LIST_BEGIN]\na\nb\nc\nd\n[FILE_LIST_END]", 3), (Items { "a", "b", "c" }));
    EXPECT_EQ(List("[FILE_LIST_BEGIN]\na\n[FILE_LIST_END]\n[FILE_LIST_BEGIN]\nb\n"), (Items { "a" }));
}

TEST(TaggedFile, ListRefusesNoRoom)
{
    MainHtm htm("[FILE_LIST_BEGIN]\na\n");
    std::string item = "unset";
    EXPECT_EQ(htm.File().GetList("[FILE_LIST_BEGIN]", "[FILE_LIST_END]", &item, 0), 0);
    EXPECT_EQ(htm.File().GetList("[FILE_LIST_BEGIN]", "[FILE_LIST_END]", nullptr, 5), 0);
    EXPECT_EQ(item, "unset");
}

TEST(TaggedFile, MissingFileGivesEmptyValues)
{
    TempFolder scratch;
    CTaggedFile file;
    EXPECT_EQ(file.Load(scratch.Native("data/main.htm")), 1);
    EXPECT_EQ(file.GetValue("[MAIN_URL]"), "");
    std::string items[3];
    EXPECT_EQ(file.GetList("[TAMREL_BEGIN]", "[TAMREL_END]", items, 3), 0);
}

TEST(TaggedFileBadInput, NulInTheFirstByteAndNoLineBreaks)
{
    MainHtm nul(std::string("\0[MAIN_URL]\nhttp://a/\n", 22));
    EXPECT_EQ(nul.Loaded(), 0);
    EXPECT_EQ(nul.File().GetValue("[MAIN_URL]"), "");

    MainHtm oneLine("[MAIN_URL] http://a/ [BUTTON_BUY_URL_V2] http://b/" + std::string(1 << 20, ' '));
    EXPECT_EQ(oneLine.File().GetValue("[MAIN_URL]"), "");
    EXPECT_EQ(oneLine.File().GetValue("[MAIN_URL] http://a/ [BUTTON_BUY_URL_V2] http://b/"), "");
    MainHtm lastLine("[MAIN_URL]");
    EXPECT_EQ(lastLine.File().GetValue("[MAIN_URL]"), "");
}

TEST(TaggedFileBadInput, NotCodePage936StillReadsItsTags)
{
    MainHtm htm("[MAIN_URL]\n\x81\n[BUTTON_BUY_URL_V2]\nhttp://buy/\xFF\n[FILE_LIST_BEGIN]\n\xFE\xFE\xFE\n");
    EXPECT_EQ(htm.File().GetValue("[MAIN_URL]"), "\uFFFD");
    EXPECT_EQ(htm.File().GetValue("[BUTTON_BUY_URL_V2]"), "http://buy/\uFFFD");
    std::string items[4];
    ASSERT_EQ(htm.File().GetList("[FILE_LIST_BEGIN]", "[FILE_LIST_END]", items, 4), 1);
    EXPECT_EQ(items[0], "\uFFFD\uFFFD\uFFFD");
}

TEST(TaggedFileBadInput, BinaryNoiseGivesWhatTheRulesGive)
{
    std::string noise;
    std::uint32_t state = 12345;
    for (int i = 0; i < 4 << 20; ++i) {
        state = state * 1664525u + 1013904223u;
        noise += static_cast<char>(state >> 24);
    }
    MainHtm htm(noise + "\n[MAIN_URL]\nhttp://a/\n");
    EXPECT_EQ(htm.File().GetValue("[MAIN_URL]"), "") << "the noise holds a NUL long before the tag";
    std::string noNul = noise;
    std::replace(noNul.begin(), noNul.end(), '\0', 'x');
    MainHtm found(noNul + "\n[MAIN_URL]\nhttp://a/\n");
    EXPECT_EQ(found.File().GetValue("[MAIN_URL]"), "http://a/");
    EXPECT_EQ(found.File().GetValue("[NOT_THERE]"), "");
}

TEST(TaggedFileBadInput, HugeFileIsReadWholeInLinearTime)
{
    std::string huge;
    huge.reserve(64u << 20);
    const std::string filler = "// " + std::string(60, 'x') + "\r\n";
    while (huge.size() < (64u << 20))
        huge += filler;
    huge += "[MAIN_URL]\r\nhttp://late/\r\n";
    auto start = std::chrono::steady_clock::now();
    MainHtm htm(huge);
    EXPECT_EQ(htm.File().GetValue("[MAIN_URL]"), "http://late/");
    EXPECT_EQ(htm.File().GetValue("[MISSING]"), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

TEST(TaggedFile, ReaderBesideARewriteSeesTheOldOrTheNewFile)
{
    TempFolder scratch;
    const std::string path = scratch.Native("main.htm");
    CTextLines first;
    first.AppendLine("[MAIN_URL]");
    first.AppendLine("http://first/" + std::string(100000, 'a'));
    CTextLines second;
    second.AppendLine("[MAIN_URL]");
    second.AppendLine("http://second/");
    ASSERT_EQ(first.Save(path), 0);
    std::atomic<bool> done { false };
    std::thread updater([&] {
        for (int i = 0; i < 100; ++i)
            (i % 2 ? first : second).Save(path);
        done = true;
    });
    int other = 0;
    while (!done) {
        CTaggedFile file;
        file.Load(path);
        std::string value = file.GetValue("[MAIN_URL]");
        if (value != "http://second/" && value != "http://first/" + std::string(100000, 'a'))
            ++other;
    }
    updater.join();
    EXPECT_EQ(other, 0);
}
