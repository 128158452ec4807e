#include "update/UpdateThread.h"

#include "UpdateRunFolder.h"
#include "UpdateServerFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string kManifestTarget = "/lv/main200.asp?v=1&rid=1";

class FirstStage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Running());
        setenv("LUMIVEX_UPDATE_SERVER", server.Root().c_str(), 1);
    }
    void TearDown() override { unsetenv("LUMIVEX_UPDATE_SERVER"); }

    // A manifest with the given first-list lines and the end marker.
    static std::string Manifest(const std::vector<std::string>& entries, bool endTag = true)
    {
        std::string text = "[MAIN_URL]\r\nhttp://example.invalid/\r\n[FILE_LIST_BEGIN]\r\n";
        for (const std::string& entry : entries)
            text += entry + "\r\n";
        if (endTag)
            text += "[FILE_LIST_END]\r\n";
        return text + "[HTML_END]\r\n";
    }
    // Serves `bytes` at /f/<name> and returns its address.
    std::string Serve(const std::string& name, const std::string& bytes)
    {
        server.Put("/f/" + name, bytes);
        return server.Url("/f/" + name);
    }
    unsigned Run() { return RunFirstStage(folder.Windows(), 0); }

    UpdateServerFixture server;
    UpdateRunFolder folder;
};

TEST_F(FirstStage, RefusesABodyWithoutTheMarkerAfterItsFirstByte)
{
    for (const std::string& body : { std::string("[FILE_LIST_BEGIN]\r\n[FILE_LIST_END]\r\n"),
             std::string("[HTML_END]\r\n[FILE_LIST_BEGIN]\r\n[FILE_LIST_END]\r\n[HTML_END]\r\n"), std::string() }) {
        folder.Write("data/main.htm", "old manifest");
        folder.Write("data/update.txt", "old log");
        server.SetManifest(body);
        EXPECT_EQ(Run(), 1u);
        EXPECT_EQ(folder.Read("data/main.htm"), "old manifest");
        EXPECT_EQ(folder.Read("data/update.txt"), "old log");
        EXPECT_FALSE(folder.Exists("data/update2.txt"));
    }
}

TEST_F(FirstStage, ReplacesTheManifestByteForByteAndStopsWithoutAFirstList)
{
    // Code page 936 bytes and a second list that must not be run.
    const std::string body = "[MAIN_URL]\r\n\xC4\xE3\xBA\xC3 http://a.invalid/\n[FILE_LIST2_BEGIN]\r\n"
                             "FILE 0 LOCAL_PATHx.bin "
        + server.Url("/f/x") + "\r\n[HTML_END]";
    folder.Write("data/update.txt", "old log");
    server.SetManifest(body);
    EXPECT_EQ(Run(), 1u);
    EXPECT_EQ(folder.Read("data/main.htm"), body);
    EXPECT_EQ(folder.Read("data/update.txt"), "old log");
    EXPECT_FALSE(folder.Exists("data/update2.txt"));
    EXPECT_EQ(server.Requests(), std::vector<std::string> { kManifestTarget });
}

TEST_F(FirstStage, EmptyListLogsOnlyStartAndEnd)
{
    server.SetManifest(Manifest({}));
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(folder.Read("data/update.txt"), Cp936Log({ "检测更新", "更新完成" }));
}

TEST_F(FirstStage, CurrentFileIsNeitherLoggedNorRequested)
{
    folder.Write("data/a.bmp", "current");
    server.SetManifest(Manifest({ "// a comment line", Md5Hex("current") + " data\\a.bmp " + Serve("a.bmp", "new") }));
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(folder.Read("data/update.txt"), Cp936Log({ "检测更新", "更新完成" }));
    EXPECT_EQ(folder.Read("data/a.bmp"), "current");
    EXPECT_EQ(server.Requests(), std::vector<std::string> { kManifestTarget });
}

TEST_F(FirstStage, DownloadsIntoANewFolderAndLogsTheSize)
{
    const std::string bytes = std::string(20000, 'b') + std::string(1, '\0') + "tail";
    server.SetManifest(Manifest({ Md5Hex(bytes) + " data\\new\\b.bmp " + Serve("b.bmp", bytes) }, false));
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(folder.Read("data/new/b.bmp"), bytes);
    // Without an end tag the list runs to the end of the text: the marker
    // line is one more entry, with the previous path and url.
    EXPECT_EQ(folder.Read("data/update.txt"),
        Cp936Log({ "检测更新", "更新文件:data\\new\\b.bmp ....", "FileLength:20005", "更新文件:data\\new\\b.bmp 成功",
            "更新文件:data\\new\\b.bmp ....", "FileLength:20005", "更新文件:data\\new\\b.bmp 错误", "更新完成" }));
    EXPECT_FALSE(folder.Exists("data/data_tmp.dat"));
}

TEST_F(FirstStage, ChinesePathsAreLoggedInCodePage936)
{
    const std::string line = Md5Hex("x") + " data\\数据.txt " + Serve("d.txt", "x");
    server.SetManifest(Cp936(Manifest({ line })));
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(folder.Read("data/数据.txt"), "x");
    EXPECT_EQ(folder.Read("data/update.txt"),
        Cp936Log({ "检测更新", "更新文件:data\\数据.txt ....", "FileLength:1", "更新文件:data\\数据.txt 成功", "更新完成" }));
}

TEST_F(FirstStage, UppercaseDigestNeverMatchesAndIsFetchedEveryRun)
{
    std::string upper = Md5Hex("v2");
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    folder.Write("a.dll", "v1");
    server.SetManifest(Manifest({ upper + " a.dll " + Serve("a.dll", "v2") }));
    for (int run = 1; run <= 2; ++run) {
        EXPECT_EQ(Run(), 0u);
        EXPECT_EQ(folder.Read("data/update.txt"),
            Cp936Log({ "检测更新", "更新文件:a.dll ....", "FileLength:2", "更新文件:a.dll 错误", "更新完成" }));
        EXPECT_EQ(folder.Read("a.dll"), "v1");
        EXPECT_EQ(server.CountRequests("/f/a.dll"), run);
    }
}

TEST_F(FirstStage, LowercaseEndTagIsAnEntryThatReusesThePreviousFields)
{
    const std::string url = Serve("a.bin", "A");
    server.SetManifest(Manifest({ Md5Hex("A") + " a.bin " + url, "[file_list_end]",
        Md5Hex("B") + " b.bin " + Serve("b.bin", "B") }));
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(folder.Read("data/update.txt"),
        Cp936Log({ "检测更新", "更新文件:a.bin ....", "FileLength:1", "更新文件:a.bin 成功", "更新文件:a.bin ....",
            "FileLength:1", "更新文件:a.bin 错误", "更新文件:b.bin ....", "FileLength:1", "更新文件:b.bin 成功",
            "更新完成" }));
}

TEST_F(FirstStage, TwoFieldLineReusesThePreviousUrl)
{
    const std::string url = Serve("one", "same bytes");
    server.SetManifest(Manifest({ Md5Hex("same bytes") + " one.bin " + url, Md5Hex("same bytes") + " two.bin" }));
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(folder.Read("two.bin"), "same bytes");
    EXPECT_EQ(server.CountRequests("/f/one"), 2);
}

TEST_F(FirstStage, ZipIsUnpackedOnlyForALowercaseSuffix)
{
    const std::string inner = "bitmap bytes";
    const std::string archive = StoredZip("a.bmp", inner);
    folder.Write("data/a.bmp", "old");
    server.SetManifest(Manifest({ Md5Hex(inner) + " data\\a.bmp " + Serve("a.zip", archive),
        Md5Hex(archive) + " data\\b.zip " + Serve("b.ZIP", archive) }));
    EXPECT_EQ(Run(), 0u);
    // The entry has the target's own name; unpacking must not lose it.
    EXPECT_EQ(folder.Read("data/a.bmp"), inner);
    EXPECT_EQ(folder.Read("data/b.zip"), archive);
    EXPECT_EQ(folder.Read("data/update.txt"),
        Cp936Log({ "检测更新", "更新文件:data\\a.bmp ....", "FileLength:" + std::to_string(archive.size()),
            "更新文件:data\\a.bmp 成功", "更新文件:data\\b.zip ....", "FileLength:" + std::to_string(archive.size()),
            "更新文件:data\\b.zip 成功", "更新完成" }));
    EXPECT_FALSE(folder.Exists("data/data_tmp.dat"));
    EXPECT_FALSE(folder.Exists("data/unpack_tmp/a.bmp"));
}

TEST_F(FirstStage, BrokenDownloadsEndAsErrorsAndLeaveTheTargetAlone)
{
    const std::string bytes(50000, 'z');
    server.PutTruncated("/f/cut", bytes);
    folder.Write("a.bin", "old a");
    folder.Write("b.bin", "old b");
    folder.Write("c.bin", "old c");
    server.SetManifest(Manifest({ Md5Hex(bytes) + " a.bin " + server.Url("/f/missing"),
        Md5Hex(bytes) + " b.bin " + server.Url("/f/cut"), Md5Hex(bytes) + " c.bin http://127.0.0.1:1/unreachable",
        Md5Hex("zip") + " d.bin " + Serve("bad.zip", "not an archive") }));
    EXPECT_EQ(Run(), 0u);
    const std::string log = folder.Read("data/update.txt");
    EXPECT_EQ(log.substr(0, Cp936Log({ "检测更新", "更新文件:a.bin ...." }).size()),
        Cp936Log({ "检测更新", "更新文件:a.bin ...." }));
    EXPECT_NE(log.find(Cp936Log({ "更新文件:a.bin 错误", "更新文件:b.bin ...." })), std::string::npos);
    EXPECT_NE(log.find(Cp936Log({ "更新文件:b.bin 错误", "更新文件:c.bin ....", "更新文件:d.bin ....", "FileLength:14",
                  "更新文件:d.bin 错误", "更新完成" })),
        std::string::npos);
    EXPECT_EQ(folder.Read("a.bin"), "old a");
    EXPECT_EQ(folder.Read("b.bin"), "old b");
    EXPECT_EQ(folder.Read("c.bin"), "old c");
    EXPECT_FALSE(folder.Exists("d.bin"));
    EXPECT_FALSE(folder.Exists("data/data_tmp.dat"));
}

TEST_F(FirstStage, FailedCopyIsLoggedAsAnError)
{
    std::filesystem::create_directories(folder.Native("data/taken"));
    server.SetManifest(Manifest({ Md5Hex("x") + " data\\taken " + Serve("x", "x") }));
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(folder.Read("data/update.txt"),
        Cp936Log({ "检测更新", "更新文件:data\\taken ....", "FileLength:1", "更新文件:data\\taken 错误", "更新完成" }));
}

TEST_F(FirstStage, PathsLeavingTheFolderAreRefusedWithoutDownload)
{
    const std::string url = Serve("x", "x");
    const std::string digest = Md5Hex("x");
    server.SetManifest(Manifest({ digest + " ..\\escaped.bin " + url, digest + " data\\..\\..\\up.bin " + url,
        digest + " " + plat::WindowsPath(folder.Native("abs.bin")) + " " + url, digest + " \\root.bin " + url,
        digest + " C:x.bin " + url, digest + " data/../../y.bin " + url }));
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(folder.Read("data/update.txt"),
        Cp936Log({ "检测更新", "更新文件:..\\escaped.bin 错误", "更新文件:data\\..\\..\\up.bin 错误",
            "更新文件:" + plat::WindowsPath(folder.Native("abs.bin")) + " 错误", "更新文件:\\root.bin 错误",
            "更新文件:C:x.bin 错误", "更新文件:data/../../y.bin 错误", "更新完成" }));
    EXPECT_EQ(server.CountRequests("/f/x"), 0);
    EXPECT_FALSE(folder.Exists("abs.bin"));
}

TEST_F(FirstStage, FieldsOverCapacityAreRefusedAndNeverOverrun)
{
    const std::string url = Serve("x", "x");
    const std::string longPath = "data\\" + std::string(250, 'p');
    const std::string hugeLine = Md5Hex("x") + " big.bin " + url + " " + std::string(100000, 'j');
    server.SetManifest(Manifest({ Md5Hex("x") + " " + longPath + " " + url,
        std::string(50, 'd') + " d.bin " + url, Md5Hex("x") + " u.bin " + url + "?" + std::string(260, 'q'),
        hugeLine }));
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(folder.Read("data/update.txt"),
        Cp936Log({ "检测更新", "更新文件:" + longPath.substr(0, 254) + " 错误", "更新文件:d.bin 错误",
            "更新文件:u.bin 错误", "更新文件:big.bin ....", "FileLength:1", "更新文件:big.bin 成功", "更新完成" }));
    EXPECT_EQ(server.CountRequests("/f/x"), 1);
}

TEST_F(FirstStage, ManifestAddressComesFromTheEnvironment)
{
    EXPECT_EQ(GetManifestUrl(), server.Root() + kManifestTarget);
    setenv("LUMIVEX_UPDATE_SERVER", "http://mirror.invalid:8080/", 1);
    EXPECT_EQ(GetManifestUrl(), "http://mirror.invalid:8080" + kManifestTarget);
    unsetenv("LUMIVEX_UPDATE_SERVER");
    EXPECT_EQ(GetManifestUrl(), std::string(kDefaultUpdateServer) + kManifestTarget);
}

}
