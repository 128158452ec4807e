// The eight screen-test buttons: each runs the test window modally with its
// mode, its button's caption as the title and the option box's state; the
// main window is disabled meanwhile and usable afterwards.

#include "MainDlgHarness.h"

#include "screentest/TestModes.h"
#include "screentest/TestWnd.h"

using namespace apptest;

namespace {

struct SeenTest {
    bool running = false;
    int mode = 0;
    std::string title;
    int showInfo = -1;
    bool mainEnabled = true;
};

// Clicks test button `id` and records what the test window got; a right
// click ends the test.
void ClickTest(MainDlgUnderTest& d, int id, SeenTest& seen, bool& enabledAfter)
{
    plat::automation::ClickControl(d, id);
    // Runs inside the test window's modal loop.
    Then([&] {
        auto* test = dynamic_cast<CTestWnd*>(plat::automation::ActiveModalWindow());
        seen.running = test != nullptr;
        seen.mainEnabled = d.IsWindowEnabled();
        if (!test)
            return;
        seen.mode = test->m_nMode;
        seen.title = test->m_strTitle;
        seen.showInfo = test->m_bShowInfo;
        plat::automation::Click(*test, { 10, 10 }, plat::automation::MouseButton::Right);
        Then([&] { enabledAfter = d.IsWindowEnabled(); });
    });
}

class TestLaunch : public ScratchCurrentFolder {
protected:
    void SetUp() override
    {
        ScratchCurrentFolder::SetUp();
        StartWatchdog();
    }
};

TEST_F(TestLaunch, EachButtonRunsItsModeTitledWithItsCaption)
{
    struct Expected {
        int id;
        int mode;
        const char* caption;
    };
    const Expected buttons[] = {
        { IDC_BLOCKFILL, kModeBlockFill, "块填充\n纯色测试" },
        { IDC_VLINE_FILL, kModeVLineFill, "竖线填充\n纯色测试" },
        { IDC_HLINE_FILL, kModeHLineFill, "横线填充\n纯色测试" },
        { IDC_DOT_DOWN, kModeDotFillDown, "点填充\n从上向下" },
        { IDC_DOT_RIGHT, kModeDotFillRight, "点填充\n从左向右" },
        { IDC_VLINE_GRADIENT, kModeVLineGradient, "竖线填充\n渐变测试" },
        { IDC_HLINE_GRADIENT, kModeHLineGradient, "横线填充\n渐变测试" },
        { IDC_DEADPIXEL, kModeDeadPixel, "显示器\n坏点测试" },
    };
    for (const Expected& button : buttons) {
        MainDlgUnderTest dlg;
        SeenTest seen;
        bool enabledAfter = false;
        dlg.script = [&](MainDlgUnderTest& d) { ClickTest(d, button.id, seen, enabledAfter); };
        dlg.DoModal();
        SCOPED_TRACE("button " + std::to_string(button.id));
        ASSERT_TRUE(seen.running);
        EXPECT_EQ(seen.mode, button.mode);
        EXPECT_EQ(seen.title, button.caption);
        EXPECT_EQ(seen.showInfo, 1) << "the option box is ticked at start";
        EXPECT_FALSE(seen.mainEnabled) << "the main window is disabled during a test";
        EXPECT_TRUE(enabledAfter) << "and usable after it";
    }
}

TEST_F(TestLaunch, TitleIsTheCaptionAtTheTimeOfTheClick)
{
    MainDlgUnderTest dlg;
    SeenTest seen;
    bool enabledAfter = false;
    dlg.script = [&](MainDlgUnderTest& d) {
        d.SetDlgItemText(IDC_BLOCKFILL, "新的\n标题");
        ClickTest(d, IDC_BLOCKFILL, seen, enabledAfter);
    };
    dlg.DoModal();
    EXPECT_EQ(seen.title, "新的\n标题");
}

TEST_F(TestLaunch, ClearedOptionBoxTurnsTheInformationOffAndStaysCleared)
{
    MainDlgUnderTest dlg;
    SeenTest first, second;
    bool enabledAfter = false;
    unsigned boxAfter = 9;
    dlg.script = [&](MainDlgUnderTest& d) {
        plat::automation::ClickControl(d, IDC_SHOWINFO);
        ClickTest(d, IDC_HLINE_GRADIENT, first, enabledAfter);
        plat::PostIdleTask([&] {
            boxAfter = d.IsDlgButtonChecked(IDC_SHOWINFO);
            plat::automation::ClickControl(d, IDC_SHOWINFO);
            ClickTest(d, IDC_HLINE_GRADIENT, second, enabledAfter);
        });
    };
    dlg.DoModal();
    EXPECT_EQ(first.showInfo, 0);
    EXPECT_EQ(boxAfter, 0u) << "the check box is unchanged after a test";
    EXPECT_EQ(second.showInfo, 1);
}

}
