// The main window's link and launcher buttons, with
// recording stand-ins for xdg-open and the sibling programs.

#include "MainDlgHarness.h"

#include "links/SiblingPrograms.h"
#include "support/SiblingWorld.h"

#include <algorithm>

using namespace apptest;

namespace {

const std::string kFlag = "fr=i&fg=ffFLAG_SKIFF_DIRECT";

class MainWindowLinks : public ::testing::Test {
protected:
    void SetUp() override { StartWatchdog(); }

    std::string Opened(const std::string& address) { return m_world.Opener() + " <" + address + ">"; }

    lvtest::SiblingWorld m_world;
};

TEST_F(MainWindowLinks, LinkButtonsOpenTheTaggedOrBuiltInPageReadAtEachClick)
{
    const std::string site(kMakerSite);
    struct Case {
        int id;
        std::string builtIn;
    } cases[] = {
        { IDC_README, site + "/lv/readme.asp?lv&" + kFlag },
        { IDC_HOMEPAGE, site + "/?lv&" + kFlag },
        { IDC_SHOPPING, "http://shop.brindle.example/?lv&" + kFlag },
        { IDC_NOVELS, "http://novel.brindle.example/?lv&" + kFlag },
        { IDC_GAMES, "http://games.brindle.example/?lv&" + kFlag },
    };
    std::vector<std::vector<std::string>> runs;
    MainDlgUnderTest dlg;
    dlg.script = [&](MainDlgUnderTest& d) {
        for (const Case& c : cases) {
            plat::automation::ClickControl(d, c.id);
            Then([&] { runs.push_back(m_world.TakeRuns(1)); });
        }
        Then([&] { m_world.MainHtm("[BUTTON_BUY_URL_V2]\nhttp://buy.example/deals\n"); });
        plat::automation::ClickControl(d, IDC_SHOPPING);
        Then([&] {
            runs.push_back(m_world.TakeRuns(1));
            m_world.MainHtm("[BUTTON_BUY_URL_V2]\n// moved\n//\n");
        });
        plat::automation::ClickControl(d, IDC_SHOPPING);
        Then([&] { runs.push_back(m_world.TakeRuns(1)); });
    };
    dlg.DoModal();

    ASSERT_EQ(runs.size(), std::size(cases) + 2);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(runs[i], std::vector { Opened(cases[i].builtIn) }) << cases[i].id;
    EXPECT_EQ(runs[5], std::vector { Opened("http://buy.example/deals?" + kFlag) });
    EXPECT_EQ(runs[6], std::vector { Opened(cases[2].builtIn) });
}

TEST_F(MainWindowLinks, LauncherButtonsStartTheirPrograms)
{
    std::string sections;
    std::vector<std::string> expected;
    for (const SiblingProgram* p : { &kCleaner, &kGameBox, &kBrowser, &kOrganiser }) {
        std::string key(p->key);
        sections += "[HKEY_LOCAL_MACHINE\\software\\brindle\\" + key + "]\n\"path\"=\"C:\\\\" + key + "\\\\\"\n";
        expected.push_back(m_world.InstallAt("c/" + key + "/" + std::string(p->exe)));
    }
    m_world.Registry(sections);
    MainDlgUnderTest dlg;
    dlg.script = [](MainDlgUnderTest& d) {
        // The buttons are hidden in the window; their handlers are what a click would run.
        d.OnCleaner();
        d.OnGameBox();
        d.OnBrowser();
        d.OnOrganiser();
        d.OnSoftBar();
    };
    dlg.DoModal();
    std::vector<std::string> runs = m_world.TakeRuns(4);
    std::sort(runs.begin(), runs.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(runs, expected);
}

}
