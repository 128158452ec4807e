// Opening web addresses and starting sibling programs, against a temporary
// registry store, drive C: and working directory, with recording stand-ins
// for the browser, xdg-open and the programs.

#include "links/SoftLauncher.h"

#include "links/SiblingPrograms.h"
#include "platform/ui/Automation.h"
#include "platform/ui/Dialog.h"
#include "support/ModalRun.h"
#include "support/SiblingWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using lvtest::WaitForRuns;

constexpr const char* kNoBrowserFlag = "fr=i&fg=ffFLAG_SKIFF_DIRECT";

class Links : public ::testing::Test {
protected:
    std::string Log() const { return m_world.Log(); }
    std::string Opener() const { return m_world.Opener(); }
    void Registry(const std::string& sections) { m_world.Registry(sections); }
    std::string InstallAt(const std::string& relative) { return m_world.InstallAt(relative); }
    // The one run recorded, after the detached start had time to happen.
    std::string OnlyRun()
    {
        std::vector<std::string> runs = m_world.TakeRuns(1);
        EXPECT_EQ(runs.size(), 1u);
        return runs.empty() ? "" : runs[0];
    }

    lvtest::SiblingWorld m_world;
    const lvtest::TempFolder& m_root = m_world.Root();
};

TEST_F(Links, WithoutTheBrowserTheDefaultHandlerGetsTheFlaggedAddress)
{
    struct Case {
        const char* address;
        std::string opened;
    } cases[] = {
        { "http://a.example/x", std::string("http://a.example/x?") + kNoBrowserFlag },
        { "HTTPS://a.example/x?q=1", std::string("HTTPS://a.example/x?q=1&") + kNoBrowserFlag },
        { "http://a.example/?fr=i&fg=ffFLAG_SKIFF_DIRECT",
            std::string("http://a.example/?fr=i&fg=ffFLAG_SKIFF_DIRECT&") + kNoBrowserFlag },
        { "http://a.example/a b;$(touch pwned)\"", std::string("http://a.example/a b;$(touch pwned)\"?") + kNoBrowserFlag },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(OpenWebAddress(c.address), 0);
        EXPECT_EQ(OnlyRun(), Opener() + " <" + c.opened + ">");
    }
    EXPECT_FALSE(lvtest::Exists(m_root.Native("work/pwned")));
}

TEST_F(Links, LocalFilesAndOtherSchemesAreNeverHandedOn)
{
    m_world.MainHtm("x");
    InstallAt("work/tool.exe");
    // Neither to the desktop's handler nor, once it is installed, to the browser.
    for (bool browser : { false, true }) {
        if (browser)
            InstallAt("c/Program Files/tamrel/skiff/skiff.exe");
        for (const char* address : { "file:///etc/passwd", "/bin/sh", "data\\main.htm", "tool.exe", "Z:\\bin\\sh",
                 "javascript:alert(1)", "smb://host/share", "", " http://a.example/", "--help" })
            EXPECT_EQ(OpenWebAddress(address), 0) << address;
        EXPECT_TRUE(m_world.NothingRuns()) << (browser ? "with the browser" : "without the browser");
    }
}

TEST_F(Links, TheBrowserIsFoundThroughTheRegistryThenProgramFiles)
{
    const std::string address = "http://a.example/page";
    const std::string registered = InstallAt("c/Apps/Skiff/skiff.exe");
    const std::string programFiles = InstallAt("c/Program Files/tamrel/skiff/skiff.exe");
    struct Case {
        const char* why;
        std::string registry;
        std::string run;
    } cases[] = {
        { "registry folder", "[HKEY_LOCAL_MACHINE\\software\\brindle\\skiff]\n\"path\"=\"C:\\\\Apps\\\\Skiff\\\\\"\n",
            registered + " <" + address + "?fr=n&fg=ffFLAG_SKIFF_DIRECT>" },
        { "folder without its backslash",
            "[HKEY_LOCAL_MACHINE\\software\\brindle\\skiff]\n\"path\"=\"C:\\\\Apps\\\\Skiff\"\n",
            programFiles + " <" + address + "?fr=gn&fg=ffFLAG_SKIFF_DIRECT>" },
        { "no registry entry", "", programFiles + " <" + address + "?fr=gn&fg=ffFLAG_SKIFF_DIRECT>" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Registry(c.registry);
        OpenWebAddress(address);
        EXPECT_EQ(OnlyRun(), c.run);
    }
}

TEST_F(Links, TheBrowserInTheWorkingDirectoryOrTheDefaultDrive)
{
    ::unsetenv("ProgramFiles");
    const std::string onC = InstallAt("c/tamrel/skiff/skiff.exe");
    OpenWebAddress("http://a.example/");
    EXPECT_EQ(OnlyRun(), onC + " <http://a.example/?fr=gn&fg=ffFLAG_SKIFF_DIRECT>");

    // An empty or missing "path" joins to a name relative to the working directory.
    InstallAt("work/skiff.exe");
    OpenWebAddress("http://a.example/?q=1 \"two words\" $(touch pwned)");
    EXPECT_EQ(OnlyRun(), "skiff.exe <http://a.example/?q=1 \"two words\" $(touch pwned)&fr=n&fg=ffFLAG_SKIFF_DIRECT>")
        << "the whole address as one argument";
    EXPECT_FALSE(lvtest::Exists(m_root.Native("work/pwned")));
    EXPECT_EQ(lvtest::ReadNative(m_root.Native("registry.reg")), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\software\\brindle\\skiff]\n");
}

TEST_F(Links, HomepagesComeFromTheTaggedFileTheTableOrTheSoftwareList)
{
    m_world.MainHtm(
        "[SOFT_HOMEPAGE_sweeper]\nhttp://elsewhere.example/clean\n[SOFT_HOMEPAGE_gamebox]\n// only a comment\n");
    const std::string site(kMakerSite);
    struct Case {
        std::string_view key;
        std::string homepage;
    } cases[] = {
        { kCleaner.key, "http://elsewhere.example/clean" },
        { kOwnKey, site + "/lv/?tamrel" },
        { kBrowser.key, site + "/skiff/?tamrel" },
        { kOrganiser.key, site + "/daykeeper/?tamrel" },
        { kOrganiserAliasKey, site + "/daykeeper/?tamrel" },
        { "LV", site + "/softlist/?tamrel" },
        { kGameBox.key, site + "/softlist/?tamrel" },
        { "", site + "/softlist/?tamrel" },
    };
    CSoftLauncher launcher;
    for (const Case& c : cases)
        EXPECT_EQ(launcher.GetHomepage(c.key), c.homepage) << c.key;
}

TEST_F(Links, AnInstalledProgramIsStartedWithoutParameters)
{
    Registry("[HKEY_LOCAL_MACHINE\\software\\brindle\\picshow]\n\"path\"=\"C:\\\\Apps\\\\Show\\\\\"\n");
    const std::string program = InstallAt("c/Apps/Show/slideview.exe");
    CSoftLauncher launcher;
    EXPECT_EQ(launcher.Launch(kPlayer.title, kPlayer.key, kPlayer.exe), 0);
    EXPECT_EQ(OnlyRun(), program);
    EXPECT_EQ(launcher.RunInstalled(kPlayer.key, "missing.exe"), 1);
    // The executable must be a file of the installation folder itself.
    InstallAt("c/Apps/other.exe");
    EXPECT_EQ(launcher.RunInstalled(kPlayer.key, "..\\other.exe"), 1);
    EXPECT_EQ(launcher.RunInstalled(kPlayer.key, "C:\\Apps\\other.exe"), 1);
}

// Launches `program` while a step reads the message box and presses Enter.
struct NotInstalled {
    int result = -1;
    std::string message;
    std::size_t runsWhileShown = 0;
};

NotInstalled LaunchNotInstalled(const SiblingProgram& program, const std::string& log)
{
    NotInstalled seen;
    lvtest::AfterEverything([&] {
        plat::Wnd* box = plat::automation::ActiveModalWindow();
        ASSERT_TRUE(box);
        seen.message = box->GetDlgItem(-1)->GetWindowText();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        seen.runsWhileShown = lvtest::Exists(log);
        plat::automation::Key(*box, plat::VK_RETURN);
    });
    CSoftLauncher launcher;
    seen.result = launcher.Launch(program.title, program.key, program.exe);
    return seen;
}

TEST_F(Links, NotInstalledShowsTheMessageThenOpensTheHomepage)
{
    lvtest::StartWatchdog(60);
    // An empty "path" is not installed, even with the program at hand.
    Registry("[HKEY_LOCAL_MACHINE\\software\\brindle\\picgrab]\n\"path\"=\"\"\n");
    InstallAt("work/picgrab.exe");
    NotInstalled seen = LaunchNotInstalled(kDownloader, Log());
    EXPECT_EQ(seen.result, 1);
    EXPECT_EQ(seen.message, "本机还未安装本软件\r\n请去官网下载本软件《图片批量下载(2.0版)》\r\n"
                            "http://www.brindle.example/picgrab/?tamrel");
    EXPECT_EQ(seen.runsWhileShown, 0u);
    EXPECT_EQ(OnlyRun(), Opener() + " <http://www.brindle.example/picgrab/?tamrel&fr=i&fg=ffFLAG_SKIFF_DIRECT>");
}

TEST_F(Links, AHostileHomepageIsShownAndNeverRun)
{
    lvtest::StartWatchdog(60);
    std::string huge = "http://a.example/" + std::string(100 * 1024, 'x');
    for (const std::string& homepage : { std::string("file:///bin/sh"), std::string("$(touch pwned); \"q\" r"), huge }) {
        m_world.MainHtm("[SOFT_HOMEPAGE_webshot]\n" + homepage + "\n");
        NotInstalled seen = LaunchNotInstalled(kSnapshot, Log());
        EXPECT_EQ(seen.result, 1);
        EXPECT_TRUE(seen.message.ends_with("《网页快照》\r\n" + homepage)) << homepage.substr(0, 40);
        if (homepage == huge) {
            EXPECT_EQ(OnlyRun(), Opener() + " <" + huge + "?" + kNoBrowserFlag + ">");
        }
    }
    // Only the web address was opened, and nothing else ran.
    EXPECT_TRUE(m_world.NothingRuns());
    EXPECT_FALSE(lvtest::Exists(m_root.Native("work/pwned")));
}

}
