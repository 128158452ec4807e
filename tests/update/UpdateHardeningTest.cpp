// What a hostile or broken update server, network or folder can do to a
// whole update run: every case checks the exact log, the requests made and
// that nothing outside the program folder changed.

#include "update/UpdateThread.h"

#include "UpdateRunFolder.h"
#include "UpdateServerFixture.h"
#include "platform/fs/PathMap.h"
#include "platform/net/InternetRequest.h"
#include "support/SilentServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Every name under a folder with what it holds (a link shows its target).
std::map<std::string, std::string> Snapshot(const std::string& root)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().lexically_relative(root).string();
        if (entry.is_symlink())
            entries[name] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            entries[name] = lvtest::ReadNative(entry.path().string());
        else
            entries[name] = entry.is_directory() ? "<folder>" : "<other>";
    }
    return entries;
}

class UpdateHardening : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Running());
        setenv("LUMIVEX_UPDATE_SERVER", server.Root().c_str(), 1);
        lvtest::WriteNative(outside.Native("keep.txt"), "precious");
        before = Snapshot(outside.Native());
    }
    void TearDown() override
    {
        unsetenv("LUMIVEX_UPDATE_SERVER");
        EXPECT_EQ(Snapshot(outside.Native()), before) << "a folder beside the program changed";
    }

    std::string Serve(const std::string& name, const std::string& bytes)
    {
        server.Put("/f/" + name, bytes);
        return server.Url("/f/" + name);
    }
    std::string Entry(const std::string& path, const std::string& name, const std::string& bytes)
    {
        return Md5Hex(bytes) + " " + path + " " + Serve(name, bytes);
    }
    std::string Entry2(const std::string& destination, const std::string& name, const std::string& bytes)
    {
        return "FILE " + Entry(destination, name, bytes);
    }
    // Runs both stages on a manifest with these list lines.
    unsigned Run(const std::vector<std::string>& first, const std::vector<std::string>& second = {})
    {
        std::string text = "[FILE_LIST_BEGIN]\r\n";
        for (const std::string& line : first)
            text += line + "\r\n";
        text += "[FILE_LIST_END]\r\n[FILE_LIST2_BEGIN]\r\n";
        for (const std::string& line : second)
            text += line + "\r\n";
        server.SetManifest(text + "[FILE_LIST2_END]\r\n[HTML_END]\r\n");
        return RunFirstStage(folder.Windows(), 0);
    }
    std::string Log() const { return folder.Read("data/update.txt"); }
    std::string Log2() const { return folder.Read("data/update2.txt"); }

    UpdateServerFixture server;
    UpdateRunFolder folder;
    // A folder beside the program's, where nothing may change.
    lvtest::TempFolder outside;
    std::map<std::string, std::string> before;
};

TEST_F(UpdateHardening, SecondListDestinationsStayInTheProgramsFolders)
{
    const std::string up = "..\\" + fs::path(outside.Native()).filename().string() + "\\";
    const std::string absolute = plat::WindowsPath(outside.Native("deep")) + "\\x.txt";
    const std::string programFiles = plat::WindowsPath(folder.Native("pf"));
    setenv("ProgramFiles", programFiles.c_str(), 1);
    const std::vector<std::string> refused { "LOCAL_PATH" + up + "x.txt", absolute, "PROGRESS_PATH..\\x.txt",
        "LOCAL_PATHdata\\..\\..\\x.txt", up + "x.txt", "LOCAL_PATHdata\\data_tmp.dat\\x" };
    std::vector<std::string> second;
    for (const std::string& destination : refused)
        second.push_back(Entry2(destination, "bad", "bad"));
    second.push_back(Entry2("PROGRESS_PATHok\\y.txt", "y", "y"));
    // Relative destinations lie in the executable's folder; folders are not
    // made for them.
    second.push_back(Entry2("data\\rel.bin", "rel", "r"));
    second.push_back(Entry2("nosuch\\f.bin", "f", "f"));
    EXPECT_EQ(Run({}, second), 0u);
    unsetenv("ProgramFiles");

    std::vector<std::string> expected { "检测更新" };
    for (const std::string& destination : refused)
        expected.push_back("更新文件:" + destination + " 错误");
    for (const char* line : { "更新文件:PROGRESS_PATHok\\y.txt ....", "FileLength:1", "更新文件:PROGRESS_PATHok\\y.txt 成功",
             "更新文件:data\\rel.bin ....", "FileLength:1", "更新文件:data\\rel.bin 成功", "更新文件:nosuch\\f.bin ....",
             "FileLength:1", "更新文件:nosuch\\f.bin 错误", "更新完成" })
        expected.push_back(line);
    std::string log;
    for (const std::string& line : expected)
        log += Cp936(line + "\r\n");
    EXPECT_EQ(Log2(), log);
    EXPECT_EQ(folder.Read("pf/ok/y.txt"), "y");
    EXPECT_EQ(folder.Read("data/rel.bin"), "r");
    EXPECT_FALSE(folder.Exists("nosuch"));
    EXPECT_EQ(server.CountRequests("/f/bad"), 0);
}

TEST_F(UpdateHardening, TheUpdatesOwnFilesAreNeitherTargetsNorBlockedByLeftovers)
{
    // A hostile earlier manifest left folders at the working names.
    for (const char* name : { "data/data_tmp.dat/x", "data/unpack_tmp", "data/update.txt/x", "data/update2.txt" })
        fs::create_directories(folder.Native(name));
    const std::vector<std::string> refused { "data\\data_tmp.dat\\x", "data\\unpack_tmp", "DATA\\Update.txt\\x",
        "data\\\\update2.txt", "data\\.\\unpack_tmp\\y", "data\\nplv.log", "data\\NPLV.lock" };
    std::vector<std::string> first;
    for (const std::string& path : refused)
        first.push_back(Entry(path, "bad", "bad"));
    first.push_back(Entry("data\\a.bin", "a", "a bytes"));
    first.push_back(Entry("data\\z.bin", "z.zip", StoredZip("z.bin", "zipped")).replace(0, 32, Md5Hex("zipped")));
    EXPECT_EQ(Run(first, { Entry2("LOCAL_PATHdata\\update.txt\\x", "bad", "bad") }), 0u);

    std::string log = Cp936("检测更新\r\n");
    for (const std::string& path : refused)
        log += Cp936("更新文件:" + path + " 错误\r\n");
    log += Cp936Log({ "更新文件:data\\a.bin ....", "FileLength:7", "更新文件:data\\a.bin 成功", "更新文件:data\\z.bin ....",
        "FileLength:" + std::to_string(StoredZip("z.bin", "zipped").size()), "更新文件:data\\z.bin 成功", "更新完成" });
    EXPECT_EQ(Log(), log);
    EXPECT_EQ(Log2(), Cp936Log({ "检测更新", "更新文件:LOCAL_PATHdata\\update.txt\\x 错误", "更新完成" }));
    EXPECT_EQ(folder.Read("data/a.bin"), "a bytes");
    EXPECT_EQ(folder.Read("data/z.bin"), "zipped");
    EXPECT_EQ(server.CountRequests("/f/bad"), 0);
    EXPECT_FALSE(folder.Exists("data/data_tmp.dat"));
}

TEST_F(UpdateHardening, ReplacedFilesKeepTheirModeAndTheStagedProgramRuns)
{
    folder.Write("nplv.exe", "old updater");
    folder.Write("tools/helper.sh", "old helper");
    fs::permissions(folder.Native("nplv.exe"), fs::perms(0755));
    fs::permissions(folder.Native("tools/helper.sh"), fs::perms(0700));
    const std::string zip = StoredZip("helper.sh", "new helper");
    EXPECT_EQ(Run({ Entry("nplv.exe", "nplv", "new updater"), Entry("data\\lv.exe", "lv", "new program"),
                  Md5Hex("new helper") + " tools\\helper.sh " + Serve("helper.zip", zip) }),
        0u);
    EXPECT_EQ(folder.Read("nplv.exe"), "new updater");
    EXPECT_EQ(folder.Read("tools/helper.sh"), "new helper");
    auto mode = [&](const char* name) { return static_cast<unsigned>(fs::status(folder.Native(name)).permissions()); };
    EXPECT_EQ(mode("nplv.exe"), 0755u);
    EXPECT_EQ(mode("tools/helper.sh"), 0700u);
    EXPECT_EQ(folder.Read("data/lv.exe"), "new program");
    EXPECT_EQ(mode("data/lv.exe") & 0100u, 0100u);
}

TEST_F(UpdateHardening, LinksAtTheWorkingNamesAreNotFollowed)
{
    fs::create_symlink(outside.Native("keep.txt"), folder.Native("data/data_tmp.dat"));
    fs::create_symlink(outside.Native(), folder.Native("data/unpack_tmp"));
    // Refreshed: the link in `outside`'s own listing is not part of the check.
    before = Snapshot(outside.Native());
    const std::string zip = StoredZip("keep.txt", "zipped");
    EXPECT_EQ(Run({ Entry("data\\a.bin", "a", "plain"), Md5Hex("zipped") + " data\\z.bin " + Serve("z.zip", zip) }), 0u);
    EXPECT_EQ(folder.Read("data/a.bin"), "plain");
    EXPECT_EQ(folder.Read("data/z.bin"), "zipped");
    EXPECT_FALSE(folder.Exists("data/data_tmp.dat"));
}

TEST_F(UpdateHardening, StalledTransfersEnd)
{
    plat::SetStallLimitsForTesting({ .connectSeconds = 2, .lowSpeedSeconds = 2 });
    // A byte every three seconds, for ever.
    server.Trickle("/f/slow");
    {
        lvtest::SilentServer silent;
        setenv("LUMIVEX_UPDATE_SERVER", silent.Address().c_str(), 1);
        folder.Write("data/main.htm", "old manifest");
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(RunFirstStage(folder.Windows(), 0), 1u);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
        EXPECT_EQ(folder.Read("data/main.htm"), "old manifest");
        setenv("LUMIVEX_UPDATE_SERVER", server.Root().c_str(), 1);
    }
    EXPECT_EQ(Run({ Md5Hex("x") + " slow.bin " + server.Url("/f/slow") }), 0u);
    plat::SetStallLimitsForTesting({});
    // A stalled read ends the transfer like a broken one: what came is checked.
    EXPECT_EQ(Log(),
        Cp936Log({ "检测更新", "更新文件:slow.bin ....", "FileLength:0", "更新文件:slow.bin 错误", "更新完成" }));
    EXPECT_FALSE(folder.Exists("slow.bin"));
    EXPECT_FALSE(folder.Exists("data/data_tmp.dat"));
}

TEST_F(UpdateHardening, ALaterRunClearsWhatAKilledOneLeft)
{
    // The process id of a writer that has gone.
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ASSERT_GT(gone, 0);
    ::waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone);
    const std::string alive = std::to_string(::getppid());
    for (const std::string& name : std::vector<std::string> { "data/.main.htm.lvtmp-" + dead + "-0-123", "data/.update.txt.lvtmp-" + dead + "-4-5",
             ".nplv.exe.lvtmp-" + dead + "-1-9", "data/data_tmp.dat", "data/unpack_tmp/x.bin" })
        folder.Write(name, std::string(1000, 'x'));
    const std::vector<std::string> kept { "data/.main.htm.lvtmp-" + alive + "-0-1", "data/.notes.lvtmp-old",
        "data/.a.lvtmp-" + dead + "-x-1", "data/a.lvtmp-" + dead + "-0-1" };
    for (const std::string& name : kept)
        folder.Write(name, "kept");
    // A run that ends early, without a manifest, still clears up first.
    server.SetManifest("no marker");
    EXPECT_EQ(RunFirstStage(folder.Windows(), 0), 1u);

    std::map<std::string, std::string> expected { { "data", "<folder>" } };
    for (const std::string& name : kept)
        expected[name] = "kept";
    std::map<std::string, std::string> found = Snapshot(folder.Native());
    EXPECT_NE(found["data/update-debug.log"].find("no [HTML_END] after its first byte"), std::string::npos);
    found.erase("data/update-debug.log");
    EXPECT_EQ(found, expected);
}

// Runs the update thread's procedure in a copy of this binary.
TEST(UpdateThreadChild, RunsTheProcedure)
{
    if (!std::getenv("LV_UPDATE_THREAD_CHILD"))
        GTEST_SKIP() << "runs only inside the copy that UpdateHardening starts";
    std::printf("update-thread: %u\n", UpdateThreadProc(nullptr));
}

TEST_F(UpdateHardening, AFolderWhoseWindowsNameLeadsElsewhereIsNotUpdated)
{
    // "we\ird" reads as two folders in a Windows path: data\ would be made
    // in the parent's "we" folder.
    const std::string weird = folder.Native("we\\ird");
    fs::create_directories(weird);
    fs::copy_file("/proc/self/exe", weird + "/lv.exe");
    server.SetManifest("[FILE_LIST_BEGIN]\r\n[FILE_LIST_END]\r\n[HTML_END]\r\n");
    const std::string command = "cd '" + weird
        + "' && LV_UPDATE_THREAD_CHILD=1 timeout 30 ./lv.exe --gtest_filter=UpdateThreadChild.* 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char chunk[4096];
    while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe))
        output.append(chunk, n);
    ::pclose(pipe);
    EXPECT_NE(output.find("lv.exe: update not started: the program's folder " + plat::WindowsPath(weird)), std::string::npos)
        << output;
    EXPECT_NE(output.find("update-thread: 1"), std::string::npos) << output;
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_FALSE(folder.Exists("we"));
}

TEST_F(UpdateHardening, AnEntryInASubfolderInstallsAndTheUnpackFolderGoes)
{
    const std::string zip = StoredZip("sub/x.bin", "in a folder");
    EXPECT_EQ(Run({ Md5Hex("in a folder") + " data\\x.bin " + Serve("x.zip", zip) }), 0u);
    EXPECT_EQ(Log(), Cp936Log({ "检测更新", "更新文件:data\\x.bin ....", "FileLength:" + std::to_string(zip.size()), "更新文件:data\\x.bin 成功", "更新完成" }));
    EXPECT_EQ(folder.Read("data/x.bin"), "in a folder");
    EXPECT_FALSE(folder.Exists("data/sub"));
    EXPECT_FALSE(folder.Exists("data/unpack_tmp"));
}

}
