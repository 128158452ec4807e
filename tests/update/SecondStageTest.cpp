#include "update/SecondStage.h"

#include "UpdateRunFolder.h"
#include "UpdateServerFixture.h"
#include "support/ScopedEnv.h"
#include "update/DebugLog.h"
#include "update/UpdateThread.h"
#include "update/ZipBuilder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

using lvtest::ScopedEnv;

class SecondStage : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Running()); }

    std::string Serve(const std::string& name, const std::string& bytes)
    {
        server.Put("/f/" + name, bytes);
        return server.Url("/f/" + name);
    }
    // A FILE entry for `bytes` served under `name`.
    std::string Entry(const std::string& destination, const std::string& name, const std::string& bytes,
        const std::string& kind = "FILE")
    {
        return kind + " " + Md5Hex(bytes) + " " + destination + " " + Serve(name, bytes);
    }
    int Run(const std::string& manifest)
    {
        folder.Write("data/main.htm", manifest);
        return RunSecondStage(folder.Windows());
    }
    std::string Log() const { return folder.Read("data/update2.txt"); }

    UpdateServerFixture server;
    UpdateRunFolder folder;
};

TEST_F(SecondStage, WithoutAListNothingHappens)
{
    EXPECT_EQ(RunSecondStage(folder.Windows()), 1);
    EXPECT_EQ(Run(" [FILE_LIST2_BEGIN]\r\n" + Entry("LOCAL_PATHa.bin", "a", "a") + "\r\n"), 1);
    EXPECT_FALSE(folder.Exists("data/update2.txt"));
    EXPECT_FALSE(folder.Exists("a.bin"));
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(SecondStage, ListBoundsKindsAndComments)
{
    const std::string manifest = " [FILE_LIST2_BEGIN]\r\n"
        + Entry("LOCAL_PATHbefore.bin", "before", "0") + "\r\n"
                                                         "[file_list2_begin] with words after it\n"
        + "//" + Entry("LOCAL_PATHcomment.bin", "comment", "1") + "\r\n"
        + "  // " + Entry("LOCAL_PATHindented.bin", "indented", "2") + "\r\n"
        + Entry("LOCAL_PATHdata\\x.bin", "x", "x bytes", "file") + "\r\n"
        + Entry("LOCAL_PATHdir.bin", "dir", "3", "DIR") + "\r\n"
                                                          "[FILE_LIST2_END] \r\n"
        + Entry("LOCAL_PATHsub\\c.bin", "c", "c bytes") + "\r\n"
                                                          "[FILE_LIST2_END]\r\n"
        + Entry("LOCAL_PATHafter.bin", "after", "4") + "\r\n[HTML_END]\r\n";
    EXPECT_EQ(Run(manifest), 0);
    EXPECT_EQ(folder.Read("data/x.bin"), "x bytes");
    EXPECT_EQ(folder.Read("sub/c.bin"), "c bytes");
    for (const char* absent : { "before.bin", "comment.bin", "indented.bin", "dir.bin", "after.bin" })
        EXPECT_FALSE(folder.Exists(absent)) << absent;
    EXPECT_EQ(Log(),
        Cp936Log({ "检测更新", "更新文件:LOCAL_PATHdata\\x.bin ....", "FileLength:7", "更新文件:LOCAL_PATHdata\\x.bin 成功",
            "更新文件:LOCAL_PATHsub\\c.bin ....", "FileLength:7", "更新文件:LOCAL_PATHsub\\c.bin 成功", "更新完成" }));
    EXPECT_EQ(server.Requests(), (std::vector<std::string> { "/f/x", "/f/c" }));
}

TEST_F(SecondStage, ExistingDestinationsAreLeftAlone)
{
    folder.Write("have.bin", "old, with another digest");
    std::filesystem::create_directories(folder.Native("folder.bin"));
    EXPECT_EQ(Run("[FILE_LIST2_BEGIN]\n" + Entry("LOCAL_PATHhave.bin", "have", "new") + "\n"
                  + Entry("LOCAL_PATHfolder.bin", "folder", "new") + "\n" + Entry("LOCAL_PATHha?e.bin", "w", "new")
                  + "\n[FILE_LIST2_END]\n"),
        0);
    EXPECT_EQ(folder.Read("have.bin"), "old, with another digest");
    EXPECT_EQ(Log(), Cp936Log({ "检测更新", "更新完成" }));
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(SecondStage, ProgramFilesDestinations)
{
    const std::string entry = Entry("PROGRESS_PATHy\\z.bin", "z", "zz");
    const std::string log = Cp936Log({ "检测更新", "更新文件:PROGRESS_PATHy\\z.bin ....", "FileLength:2",
        "更新文件:PROGRESS_PATHy\\z.bin 成功", "更新完成" });
    {
        ScopedEnv programFiles("ProgramFiles", plat::WindowsPath(folder.Native("pf")));
        std::filesystem::create_directories(folder.Native("pf"));
        EXPECT_EQ(Run("[FILE_LIST2_BEGIN]\n" + entry + "\n"), 0);
        EXPECT_EQ(folder.Read("pf/y/z.bin"), "zz");
        EXPECT_EQ(Log(), log);
    }
    {
        // Without the variable the folder is C:\, here mapped to a test folder.
        ScopedEnv programFiles("ProgramFiles", std::nullopt);
        ScopedEnv driveC("LUMIVEX_DRIVE_C", folder.Native("drive_c"));
        std::filesystem::create_directories(folder.Native("drive_c"));
        EXPECT_EQ(Run("[FILE_LIST2_BEGIN]\n" + entry + "\n"), 0);
        EXPECT_EQ(folder.Read("drive_c/y/z.bin"), "zz");
        EXPECT_EQ(Log(), log);
    }
}

TEST_F(SecondStage, DestinationTemplatesReplaceEveryOccurrence)
{
    EXPECT_EQ(ResolveDestination("LOCAL_PATHdata\\x.bin", "Z:\\lv\\", "C:\\P\\"), "Z:\\lv\\data\\x.bin");
    EXPECT_EQ(ResolveDestination("PROGRESS_PATHy\\z.bin", "Z:\\lv\\", "C:\\P\\"), "C:\\P\\y\\z.bin");
    EXPECT_EQ(ResolveDestination("LOCAL_PATHLOCAL_PATH", "L", "P"), "LL");
    EXPECT_EQ(ResolveDestination("plain\\x.bin", "Z:\\lv\\", "C:\\P\\"), "plain\\x.bin");
}

// The stage log says "错误"; the debug log says why, one line per failure,
// and keeps under its limit by dropping its oldest lines.
TEST_F(SecondStage, FailuresAreLoggedAndNothingIsInstalled)
{
    std::string oldLines;
    while (oldLines.size() < kDebugLogLimit - 100)
        oldLines += "2000-01-01 00:00:00 an earlier run's line\n";
    folder.Write("data/update-debug.log", oldLines);
    const std::string inner = "inner bytes";
    // A stored entry that ends before its declared size, though its bytes
    // so far have the listed digest.
    const std::string shortZip = BuildZip({ { .name = "s.bin", .data = inner + inner, .method = 0, .compressed = inner } });
    const std::string manifest = "[FILE_LIST2_BEGIN]\n"
        + std::string("FILE ") + Md5Hex(inner) + " LOCAL_PATHz.bin " + Serve("z.zip", StoredZip("z.bin", inner)) + "\n"
        + "FILE " + Md5Hex(inner) + " LOCAL_PATHs.bin " + Serve("s.zip", shortZip) + "\n"
        + "FILE " + Md5Hex("other") + " LOCAL_PATHwrong.bin " + Serve("wrong", "bytes") + "\n"
        + "FILE " + Md5Hex("x") + " LOCAL_PATHgone.bin " + server.Url("/f/missing") + "\n"
        + "FILE " + Md5Hex("x") + " LOCAL_PATHnet.bin http://127.0.0.1:1/x\n"
        + "FILE " + Md5Hex("x") + " LOCAL_PATH" + std::string(250, 'p') + " " + Serve("x", "x") + "\n"
        + "FILE " + std::string(60, 'd') + " LOCAL_PATHd.bin " + Serve("x", "x") + "\n"
        + std::string(2000, 'k') + " " + Md5Hex("x") + " LOCAL_PATHk.bin " + Serve("x", "x") + "\n";
    EXPECT_EQ(Run(manifest), 0);
    EXPECT_EQ(folder.Read("z.bin"), inner);
    for (const char* absent : { "s.bin", "wrong.bin", "gone.bin", "net.bin", "d.bin", "k.bin", "data/data_tmp.dat" })
        EXPECT_FALSE(folder.Exists(absent)) << absent;
    const std::string zipSize = std::to_string(StoredZip("z.bin", inner).size());
    EXPECT_EQ(Log(),
        Cp936Log({ "检测更新", "更新文件:LOCAL_PATHz.bin ....", "FileLength:" + zipSize, "更新文件:LOCAL_PATHz.bin 成功",
            "更新文件:LOCAL_PATHs.bin ....", "FileLength:" + std::to_string(shortZip.size()),
            "更新文件:LOCAL_PATHs.bin 错误", "更新文件:LOCAL_PATHwrong.bin ....", "FileLength:5", "更新文件:LOCAL_PATHwrong.bin 错误",
            "更新文件:LOCAL_PATHgone.bin ....", "FileLength:48", "更新文件:LOCAL_PATHgone.bin 错误",
            "更新文件:LOCAL_PATHnet.bin ....", "更新文件:LOCAL_PATH" + std::string(244, 'p') + " 错误",
            "更新文件:LOCAL_PATHd.bin 错误", "更新完成" }));
    EXPECT_EQ(server.CountRequests("/f/x"), 0);

    const std::string debug = folder.Read("data/update-debug.log");
    EXPECT_LE(debug.size(), kDebugLogLimit);
    EXPECT_EQ(debug.rfind("2000-01-01 00:00:00 an earlier run's line\n", 0), 0u) << "cut at a line's start";
    const std::string fresh = debug.substr(debug.rfind("an earlier run's line\n") + 22);
    std::vector<std::string> reasons;
    for (std::size_t at = 0; at < fresh.size(); at = fresh.find('\n', at) + 1)
        reasons.push_back(fresh.substr(at + 20, fresh.find('\n', at) - at - 20));
    const std::vector<std::string> expected { "LOCAL_PATHs.bin: entry ends 11 bytes short",
        "LOCAL_PATHwrong.bin: MD5 " + Md5Hex("bytes") + ", expected " + Md5Hex("other") + " (HTTP 200)",
        "LOCAL_PATHgone.bin: MD5 ", "LOCAL_PATHnet.bin: download of http://127.0.0.1:1/x failed: fetch result 202",
        "LOCAL_PATH" + std::string(244, 'p') + ": refused: a field of the entry is longer than it may be",
        "LOCAL_PATHd.bin: refused: a field of the entry is longer than it may be" };
    ASSERT_EQ(reasons.size(), expected.size()) << fresh;
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(reasons[i].substr(0, expected[i].size()), expected[i]);
    EXPECT_NE(reasons[2].find("(HTTP 404)"), std::string::npos) << reasons[2];
}

TEST_F(SecondStage, ChineseDestinationsInACodePage936Manifest)
{
    EXPECT_EQ(Run(Cp936("[FILE_LIST2_BEGIN]\r\n" + Entry("LOCAL_PATH资料\\说明.txt", "s", "text") + "\r\n")), 0);
    EXPECT_EQ(folder.Read("资料/说明.txt"), "text");
    EXPECT_EQ(Log(), Cp936Log({ "检测更新", "更新文件:LOCAL_PATH资料\\说明.txt ....", "FileLength:4", "更新文件:LOCAL_PATH资料\\说明.txt 成功", "更新完成" }));
}

TEST_F(SecondStage, RunsAfterTheFirstStage)
{
    ScopedEnv serverAddress("LUMIVEX_UPDATE_SERVER", server.Root());
    server.SetManifest("[FILE_LIST_BEGIN]\r\n[FILE_LIST_END]\r\n[FILE_LIST2_BEGIN]\r\n"
        + Entry("LOCAL_PATHnew.bin", "new", "new") + "\r\n[FILE_LIST2_END]\r\n[HTML_END]\r\n");
    EXPECT_EQ(RunFirstStage(folder.Windows(), 0), 0u);
    EXPECT_EQ(folder.Read("data/update.txt"), Cp936Log({ "检测更新", "更新完成" }));
    EXPECT_EQ(folder.Read("new.bin"), "new");
    EXPECT_EQ(Log(), Cp936Log({ "检测更新", "更新文件:LOCAL_PATHnew.bin ....", "FileLength:3", "更新文件:LOCAL_PATHnew.bin 成功", "更新完成" }));
}

}
