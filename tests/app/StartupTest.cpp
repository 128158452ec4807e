// Start-up and exit of the whole program, each run in a copy of this test
// binary named lv.exe in its own folder and started from another working
// directory, so that the executable's folder is the test's folder as it is
// for the program.

#include "app/Fonts.h"
#include "app/LumivexApp.h"
#include "app/MainDlg.h"
#include "links/AboutDlg.h"
#include "platform/fs/CurrentDirectory.h"
#include "platform/fs/PathMap.h"
#include "platform/ui/Automation.h"
#include "platform/ui/EventLoop.h"
#include "support/SilentServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>

using lvtest::ReadNative;
using lvtest::SilentServer;
using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

constexpr const char* kChildVariable = "LV_STARTUP_CHILD";
// How long the child keeps its main window open, in milliseconds.
constexpr const char* kHoldVariable = "LV_STARTUP_HOLD_MS";

// Inside the copy: the program's own start-up and exit, with the main
// window reporting what it found and closing itself.
TEST(StartupChild, RunsTheProgram)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "runs only inside the copies that the Startup tests start";
    CLumivexApp app;
    std::map<std::string, std::string> report;
    plat::PostIdleTask([&] {
        auto* dlg = dynamic_cast<CMainDlg*>(app.m_pMainWnd);
        if (!dlg)
            return;
        report["address"] = dlg->m_web.GetLocationURL();
        report["cwd"] = plat::GetCurrentDirectory();
        report["data"] = std::filesystem::is_directory("data") ? "folder" : "none";
        report["font"] = g_fonts[0].FamilyName() + " " + std::to_string(g_fonts[0].PixelSize());
        plat::PostTask([&report] {
            if (auto* about = dynamic_cast<CAboutDlg*>(plat::automation::ActiveModalWindow())) {
                report["about"] = about->m_path.GetWindowText();
                about->EndDialog(plat::IDOK);
            }
        });
        dlg->SendMessage(plat::WM_SYSCOMMAND, IDM_ABOUTBOX);
        const char* hold = std::getenv(kHoldVariable);
        std::thread([dlg, ms = hold ? std::atoi(hold) : 0] {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            plat::PostTask([dlg] { dlg->EndDialog(plat::IDOK); });
        }).detach();
    });
    const int exitCode = app.Run();
    for (const auto& [key, value] : report)
        std::printf("report %s=%s\n", key.c_str(), value.c_str());
    std::printf("report exit=%d\n", exitCode);
    (void)std::fflush(stdout);
    // The process ends as lv.exe's would, with the program's exit code.
    std::exit(exitCode);
}

struct ChildRun {
    std::map<std::string, std::string> report;
    std::string output;
    int status = -1;
    double seconds = 0;
};

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_scratch.Native("games/lv"));
        std::filesystem::create_directories(m_scratch.Native("elsewhere/data"));
        std::filesystem::copy_file("/proc/self/exe", m_scratch.Native("games/lv/lv.exe"));
        // A page in the working directory that the program must not read.
        WriteNative(m_scratch.Native("elsewhere/data/main.htm"), "[MAIN_URL]\r\nhttp://wrong.example/\r\n");
    }

    std::string Exe() const { return m_scratch.Native(m_exe); }
    std::string Data(const std::string& name = {}) const { return m_scratch.Native("games/lv/data/" + name); }

    // Starts the copy from the folder "elsewhere" with `prefix` before it
    // on the command line (environment settings, a change of user), and
    // expects the process to end with `expectedStatus`.
    ChildRun RunChild(const std::string& prefix = {}, int expectedStatus = 0,
        const std::string& updateServer = "http://127.0.0.1:1")
    {
        const std::string command = "cd '" + m_scratch.Native("elsewhere") + "' && " + kChildVariable + "=1 "
            + "LUMIVEX_UPDATE_SERVER=" + updateServer + " " + prefix + " '" + Exe()
            + "' --gtest_filter=StartupChild.* 2>&1";
        ChildRun run;
        const auto start = std::chrono::steady_clock::now();
        std::FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return run;
        std::string output;
        char chunk[4096];
        while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe))
            output.append(chunk, n);
        run.status = ::pclose(pipe);
        run.output = output;
        run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::size_t at = 0;
        while ((at = output.find("report ", at)) != std::string::npos) {
            const std::size_t end = output.find('\n', at);
            const std::string line = output.substr(at + 7, end - at - 7);
            const std::size_t eq = line.find('=');
            run.report[line.substr(0, eq)] = line.substr(eq + 1);
            at = end;
        }
        EXPECT_EQ(run.report.count("exit"), 1u) << output;
        EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == expectedStatus) << output;
        return run;
    }

    TempFolder m_scratch;
    // The copy RunChild starts, inside the scratch folder.
    std::string m_exe = "games/lv/lv.exe";
};

TEST_F(Startup, FromAnotherWorkingDirectoryItReadsDataBesideTheExecutable)
{
    std::filesystem::create_directories(Data());
    WriteNative(Data("main.htm"), "[MAIN_URL]\r\nhttp://www.brindle.example/lv/\r\n");
    ChildRun run = RunChild();
    EXPECT_EQ(run.report["address"], "http://www.brindle.example/lv/");
    EXPECT_EQ(run.report["cwd"] + "\\", plat::WindowsPath(m_scratch.Native("games/lv/")));
    EXPECT_EQ(run.report["about"], plat::WindowsPath(Exe())) << "the About dialog shows the executable's own path";
    EXPECT_EQ(run.report["font"], "AR PL UMing CN 12");
    EXPECT_EQ(run.report["exit"], "0");
}

TEST_F(Startup, CreatesTheDataFolderBeforeTheMainWindowOpens)
{
    ChildRun run = RunChild();
    EXPECT_EQ(run.report["data"], "folder");
    EXPECT_TRUE(std::filesystem::is_directory(Data()));
    EXPECT_EQ(run.report["address"], "about:blank");
    EXPECT_EQ(run.report["exit"], "0");
}

TEST_F(Startup, ADataPathThatIsAFileStillStarts)
{
    WriteNative(m_scratch.Native("games/lv/data"), "[MAIN_URL]\r\nhttp://not.a.folder/\r\n");
    ChildRun run = RunChild();
    EXPECT_EQ(run.report["address"], "about:blank");
    EXPECT_EQ(run.report["exit"], "0");
    EXPECT_EQ(ReadNative(m_scratch.Native("games/lv/data")), "[MAIN_URL]\r\nhttp://not.a.folder/\r\n");
}

TEST_F(Startup, AnUnwritableExecutableFolderStillStarts)
{
    // Run as an unprivileged user, for whom the folder's permissions count.
    const bool root = ::geteuid() == 0;
    if (root && std::system("command -v setpriv >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "running as root without setpriv: permissions would not apply";
    std::filesystem::permissions(m_scratch.Native(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read | std::filesystem::perms::group_exec | std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    std::filesystem::permissions(m_scratch.Native("games/lv"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec | std::filesystem::perms::group_read | std::filesystem::perms::group_exec | std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    const std::string asUser = root ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
    ChildRun run = RunChild("HOME=/tmp XDG_CONFIG_HOME=/tmp XDG_CACHE_HOME=/tmp " + asUser);
    std::filesystem::permissions(m_scratch.Native("games/lv"), std::filesystem::perms::owner_all);
    EXPECT_EQ(run.report["data"], "none");
    EXPECT_EQ(run.report["address"], "about:blank");
    EXPECT_EQ(run.report["exit"], "0");
    EXPECT_FALSE(std::filesystem::exists(Data()));
}

// SDL falls through to a driver that shows nothing when no display answers,
// and "dummy" shows nothing when asked for: the program must not run unseen.
TEST_F(Startup, WithoutADisplayItSaysWhatItTriedAndEndsWithStatusOneBeforeWritingAnything)
{
    struct Case {
        const char* driver; // the environment's SDL_VIDEODRIVER
        const char* tried;
    };
    const Case cases[] = {
        { "x11", "(试过 x11 (DISPLAY 未设置))" },
        { "wayland", "(试过 wayland (WAYLAND_DISPLAY 未设置))" },
        { "dummy", "(试过 dummy (不显示窗口))" },
        { nullptr, "(试过 x11 (DISPLAY 未设置), wayland (WAYLAND_DISPLAY 未设置), KMSDRM)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.driver ? c.driver : "unset");
        const std::string driver = c.driver ? std::string("SDL_VIDEODRIVER=") + c.driver : "env -u SDL_VIDEODRIVER";
        ChildRun run = RunChild("LC_ALL=C DISPLAY= WAYLAND_DISPLAY= " + driver, 1);
        EXPECT_EQ(run.report.count("address"), 0u) << "no main window ran";
        EXPECT_EQ(run.report["exit"], "1");
        EXPECT_NE(run.output.find("lv.exe: 无法打开显示 " + std::string(c.tried) + "\n"), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists(Data())) << "nothing is written without a display";
        EXPECT_LT(run.seconds, 2.0);
    }
}

TEST_F(Startup, ExitDeletesTestArchives)
{
    std::filesystem::create_directories(Data());
    WriteNative(Data("test_1.zip"), "zip");
    WriteNative(Data("test_b.zip"), "zip");
    WriteNative(Data("keep.zip"), "zip");
    ChildRun run = RunChild();
    EXPECT_EQ(run.report["exit"], "0");
    EXPECT_FALSE(std::filesystem::exists(Data("test_1.zip")));
    EXPECT_FALSE(std::filesystem::exists(Data("test_b.zip")));
    EXPECT_TRUE(std::filesystem::exists(Data("keep.zip")));
}

// A folder whose name holds '\\' or ':' has no Windows name that leads back to
// it: "c\\d" would name c/d, and "co:lon" nothing at all. The program runs
// on its built-in data and leaves the folder it was started from, and the
// folder its name would lead to, alone.
TEST_F(Startup, InAFolderWithoutAWindowsNameItRunsOnBuiltInDataAndTouchesNoOtherFolder)
{
    WriteNative(m_scratch.Native("elsewhere/data/test_1.zip"), "zip");
    WriteNative(m_scratch.Native("elsewhere/data/lv.exe"), "a staged program");
    WriteNative(m_scratch.Native("elsewhere/nplv.exe"), "#!/bin/sh\ntouch updater-ran\n");
    std::filesystem::permissions(m_scratch.Native("elsewhere/nplv.exe"), std::filesystem::perms::owner_all);
    for (const char* folder : { "games/c\\d", "games/co:lon" }) {
        SCOPED_TRACE(folder);
        std::filesystem::create_directories(m_scratch.Native(folder));
        m_exe = std::string(folder) + "/lv.exe";
        std::filesystem::copy_file("/proc/self/exe", Exe());

        ChildRun run = RunChild();
        EXPECT_EQ(run.report["address"], "about:blank");
        EXPECT_EQ(run.report["cwd"], "");
        EXPECT_EQ(run.report["exit"], "0");
        EXPECT_NE(run.output.find("lv.exe: 程序所在的文件夹名含有 '\\' 或 ':'"), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists(m_scratch.Native(std::string(folder) + "/data")));
        EXPECT_FALSE(std::filesystem::exists(m_scratch.Native("games/c"))) << "the folder its name leads to";
        EXPECT_TRUE(std::filesystem::exists(m_scratch.Native("elsewhere/data/test_1.zip")));
        EXPECT_FALSE(std::filesystem::exists(m_scratch.Native("elsewhere/updater-ran")));
    }
}

TEST_F(Startup, EndsPromptlyWhileTheUpdateServerNeverAnswers)
{
    SilentServer server;
    // Long enough for the update thread to be waiting for the server at close.
    ChildRun run = RunChild(std::string(kHoldVariable) + "=2600", 0, server.Address());
    EXPECT_EQ(run.report["exit"], "0");
    // Waiting for the update thread would last until its transfer time-outs (30 s and more).
    EXPECT_LT(run.seconds, 20.0) << "closing must not wait for the update thread";
}

}
