// The main window's link and launcher buttons, with
// recording stand-ins for xdg-open and the sibling programs.

#include "MainDlgUnderTest.h"

#include "links/SiblingPrograms.h"
#include "support/SiblingWorld.h"

using namespace apptest;

namespace {

const std::string kFlag = "fr=i&fg=ffFLAG_SKIFF_DIRECT";

class MainWindowLinks : public ::testing::Test {
protected:
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
    RunModal(dlg, { [&] {
        for (const Case& c : cases) {
            plat::automation::ClickControl(dlg, c.id);
            Then([&] { runs.push_back(m_world.TakeRuns(1)); });
        }
        Then([&] { m_world.MainHtm("[BUTTON_BUY_URL_V2]\nhttp://buy.example/deals\n"); });
        plat::automation::ClickControl(dlg, IDC_SHOPPING);
        Then([&] {
            runs.push_back(m_world.TakeRuns(1));
            m_world.MainHtm("[BUTTON_BUY_URL_V2]\n// moved\n//\n");
        });
        plat::automation::ClickControl(dlg, IDC_SHOPPING);
        Then([&] { runs.push_back(m_world.TakeRuns(1)); });
    } });

    ASSERT_EQ(runs.size(), std::size(cases) + 2);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(runs[i], std::vector { Opened(cases[i].builtIn) }) << cases[i].id;
    EXPECT_EQ(runs[5], std::vector { Opened("http://buy.example/deals?" + kFlag) });
    EXPECT_EQ(runs[6], std::vector { Opened(cases[2].builtIn) });
}

// Every button reads its own tag: a tag name misspelt or two swapped opens
// the built-in or another button's page.
TEST_F(MainWindowLinks, EachLinkButtonReadsItsOwnTag)
{
    const struct {
        int id;
        const char* tag;
    } cases[] = {
        { IDC_README, "BUTTON_README_URL_V2" },
        { IDC_HOMEPAGE, "BUTTON_HOMEPAGE_URL_V2" },
        { IDC_SHOPPING, "BUTTON_BUY_URL_V2" },
        { IDC_NOVELS, "BUTTON_FOLIO_URL_V2" },
        { IDC_GAMES, "BUTTON_GAME_URL_V2" },
    };
    std::string tags;
    for (const auto& c : cases)
        tags += std::string("[") + c.tag + "]\nhttp://tagged.example/" + c.tag + "\n";
    m_world.MainHtm(tags);
    std::vector<std::vector<std::string>> runs;
    MainDlgUnderTest dlg;
    RunModal(dlg, { [&] {
        for (const auto& c : cases) {
            plat::automation::ClickControl(dlg, c.id);
            Then([&] { runs.push_back(m_world.TakeRuns(1)); });
        }
    } });
    ASSERT_EQ(runs.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(runs[i], std::vector { Opened(std::string("http://tagged.example/") + cases[i].tag + "?" + kFlag) });
}

// Each button, shown and clicked, starts its own program: a swapped id or
// handler in the message map starts the wrong one.
TEST_F(MainWindowLinks, LauncherButtonsStartTheirPrograms)
{
    struct Case {
        int id;
        const SiblingProgram* program;
    } cases[] = {
        { IDC_CLEANER, &kCleaner },
        { IDC_GAMEBOX, &kGameBox },
        { IDC_BROWSER, &kBrowser },
        { IDC_ORGANISER, &kOrganiser },
    };
    std::string sections;
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        std::string key(c.program->key);
        sections += "[HKEY_LOCAL_MACHINE\\software\\brindle\\" + key + "]\n\"path\"=\"C:\\\\" + key + "\\\\\"\n";
        expected.push_back(m_world.InstallAt("c/" + key + "/" + std::string(c.program->exe)));
    }
    m_world.Registry(sections);
    std::vector<std::vector<std::string>> runs;
    MainDlgUnderTest dlg;
    RunModal(dlg, { [&] {
        // Nothing shows these buttons in the window; a test does, to click them.
        for (const Case& c : cases) {
            dlg.GetDlgItem(c.id)->ShowWindow(plat::SW_SHOW);
            plat::automation::ClickControl(dlg, c.id);
            Then([&] { runs.push_back(m_world.TakeRuns(1)); });
        }
    } });
    ASSERT_EQ(runs.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(runs[i], std::vector { expected[i] }) << cases[i].id;
}

}
