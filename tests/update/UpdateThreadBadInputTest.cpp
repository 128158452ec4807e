#include "update/UpdateThread.h"

#include "UpdateRunFolder.h"
#include "UpdateServerFixture.h"
#include "support/PatternBytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

class BadManifest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Running());
        setenv("LUMIVEX_UPDATE_SERVER", server.Root().c_str(), 1);
        std::filesystem::create_directories(outer.Native("app/data"));
        // Addresses made of garbage fail at once instead of reaching out.
        setenv("http_proxy", "http://127.0.0.1:1", 1);
        setenv("no_proxy", "127.0.0.1", 1);
    }
    void TearDown() override
    {
        unsetenv("LUMIVEX_UPDATE_SERVER");
        unsetenv("http_proxy");
        unsetenv("no_proxy");
    }

    // The executable's folder is app\ inside the test folder, so anything
    // written beside it shows.
    std::string ExeFolder() const { return outer.Windows() + "app\\"; }
    std::set<std::string> OuterEntries() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(outer.Native()))
            names.insert(entry.path().filename().string());
        return names;
    }

    UpdateServerFixture server;
    UpdateRunFolder outer;
};

// The resident set size of this process in kilobytes.
long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    }
    return -1;
}

TEST_F(BadManifest, GarbageUpToFourMegabytesIsStoredAsItCameAndMoreIsRefused)
{
    std::string body = lvtest::NonZeroPatternBytes((4u << 20) - 14, 1);
    body += "\r\n[HTML_END]\r\n";
    ASSERT_EQ(body.size(), 4u << 20);
    server.SetManifest(body);
    RunFirstStage(ExeFolder(), 0);
    EXPECT_EQ(outer.Read("app/data/main.htm"), body);
    EXPECT_EQ(OuterEntries(), (std::set<std::string> { "app", "data" }));

    server.SetManifest("x" + body);
    EXPECT_EQ(RunFirstStage(ExeFolder(), 0), 1u);
    EXPECT_EQ(outer.Read("app/data/main.htm"), body);
}

TEST_F(BadManifest, AnEndlessBodyEndsAtTheLimitInBoundedMemory)
{
    lvtest::LoopbackServer endless;
    endless.Http().Get(".*", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/html", [](std::size_t, httplib::DataSink& sink) {
            static const std::string block = lvtest::NonZeroPatternBytes(1 << 16, 3) + "[HTML_END]";
            return sink.write(block.data(), block.size());
        });
    });
    ASSERT_TRUE(endless.Start());
    setenv("LUMIVEX_UPDATE_SERVER", endless.Url("").c_str(), 1);
    outer.Write("app/data/main.htm", "old manifest");
    const long before = ResidentKilobytes();
    EXPECT_EQ(RunFirstStage(ExeFolder(), 0), 1u);
    EXPECT_LT(ResidentKilobytes() - before, 64 * 1024);
    EXPECT_EQ(outer.Read("app/data/main.htm"), "old manifest");
}

TEST_F(BadManifest, GarbageLinesInBothListsInstallNothing)
{
    const std::string url = server.Url("/f/x");
    server.Put("/f/x", "x");
    std::string body = "[FILE_LIST_BEGIN]\r\n";
    for (unsigned i = 0; i < 20; ++i)
        body += lvtest::NonZeroPatternBytes(100 * 1024, i) + "\r\n";
    body += Md5Hex("x") + " ..\\..\\outside.bin " + url + "\r\n[FILE_LIST_END]\r\n[FILE_LIST2_BEGIN]\r\n";
    for (unsigned i = 0; i < 20; ++i)
        body += "FILE " + lvtest::NonZeroPatternBytes(100 * 1024, 100 + i) + "\r\n";
    body += "[FILE_LIST2_END]\r\n[HTML_END]\r\n";
    server.SetManifest(body);

    EXPECT_EQ(RunFirstStage(ExeFolder(), 0), 0u);
    EXPECT_EQ(OuterEntries(), (std::set<std::string> { "app", "data" }));
    EXPECT_EQ(server.CountRequests("/f/x"), 0);
    const std::string log = outer.Read("app/data/update.txt");
    EXPECT_TRUE(log.starts_with(Cp936Log({ "检测更新" })));
    EXPECT_TRUE(log.ends_with(Cp936Log({ "更新文件:..\\..\\outside.bin 错误", "更新完成" })));
    EXPECT_TRUE(outer.Exists("app/data/update2.txt"));
    // Folders named along garbage paths may be created inside the
    // executable's folder; no file is written anywhere but in data\.
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(outer.Native("app"))) {
        if (!entry.is_directory())
            files.insert(entry.path().lexically_relative(outer.Native("app")).string());
    }
    EXPECT_EQ(files,
        (std::set<std::string> { "data/main.htm", "data/update-debug.log", "data/update.txt", "data/update2.txt" }));
}

}
