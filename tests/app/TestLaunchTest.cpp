// The eight screen-test buttons: each runs the test window modally with its
// pattern, its button's caption as the title and the option box's state; the
// main window is disabled meanwhile and usable afterwards.

#include "MainDlgUnderTest.h"

#include "screentest/Patterns.h"
#include "screentest/TestWnd.h"
#include "support/LoopbackServer.h"

#include <atomic>
#include <chrono>
#include <thread>

using namespace apptest;

namespace {

struct SeenTest {
    bool running = false;
    std::string_view pattern; // its command-line name
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
        seen.pattern = test->CurrentPattern()->name;
        seen.title = test->Title();
        seen.showInfo = test->ShowInfo();
        plat::automation::Click(*test, { 10, 10 }, plat::automation::MouseButton::Right);
        Then([&] { enabledAfter = d.IsWindowEnabled(); });
    });
}

using TestButtons = ScratchCurrentFolder;

TEST_F(TestButtons, EachButtonRunsItsModeTitledWithItsCaption)
{
    struct Expected {
        int id;
        std::string_view pattern;
        const char* caption;
    };
    const Expected buttons[] = {
        { IDC_BLOCKFILL, "block-fill", "块填充\n纯色测试" },
        { IDC_VLINE_FILL, "vline-fill", "竖线填充\n纯色测试" },
        { IDC_HLINE_FILL, "hline-fill", "横线填充\n纯色测试" },
        { IDC_DOT_DOWN, "dot-fill-down", "点填充\n从上向下" },
        { IDC_DOT_RIGHT, "dot-fill-right", "点填充\n从左向右" },
        { IDC_VLINE_GRADIENT, "vline-gradient", "竖线填充\n渐变测试" },
        { IDC_HLINE_GRADIENT, "hline-gradient", "横线填充\n渐变测试" },
        { IDC_DEADPIXEL, "dead-pixel", "显示器\n坏点测试" },
    };
    for (const Expected& button : buttons) {
        MainDlgUnderTest dlg;
        SeenTest seen;
        bool enabledAfter = false;
        RunModal(dlg, { [&] { ClickTest(dlg, button.id, seen, enabledAfter); } });
        SCOPED_TRACE("button " + std::to_string(button.id));
        ASSERT_TRUE(seen.running);
        EXPECT_EQ(seen.pattern, button.pattern);
        EXPECT_EQ(seen.title, button.caption);
        EXPECT_EQ(seen.showInfo, 1) << "the option box is ticked at start";
        EXPECT_FALSE(seen.mainEnabled) << "the main window is disabled during a test";
        EXPECT_TRUE(enabledAfter) << "and usable after it";
    }
}

TEST_F(TestButtons, TitleIsTheCaptionAtTheTimeOfTheClick)
{
    MainDlgUnderTest dlg;
    SeenTest seen;
    bool enabledAfter = false;
    RunModal(dlg, { [&] {
        dlg.SetDlgItemText(IDC_BLOCKFILL, "新的\n标题");
        ClickTest(dlg, IDC_BLOCKFILL, seen, enabledAfter);
    } });
    EXPECT_EQ(seen.title, "新的\n标题");
}

TEST_F(TestButtons, ClearedOptionBoxTurnsTheInformationOffAndStaysCleared)
{
    MainDlgUnderTest dlg;
    SeenTest first, second;
    bool enabledAfter = false;
    unsigned boxAfter = 9;
    RunModal(dlg, { [&] {
        plat::automation::ClickControl(dlg, IDC_SHOWINFO);
        ClickTest(dlg, IDC_HLINE_GRADIENT, first, enabledAfter);
        plat::PostIdleTask([&] {
            boxAfter = dlg.IsDlgButtonChecked(IDC_SHOWINFO);
            plat::automation::ClickControl(dlg, IDC_SHOWINFO);
            ClickTest(dlg, IDC_HLINE_GRADIENT, second, enabledAfter);
        });
    } });
    EXPECT_EQ(first.showInfo, 0);
    EXPECT_EQ(boxAfter, 0u) << "the check box is unchanged after a test";
    EXPECT_EQ(second.showInfo, 1);
}

// What a test window shows when a step looks: its pattern and step, or
// nothing and -1.
struct TestState {
    std::string_view pattern;
    int step = -1;
};

TestState ActiveTest()
{
    auto* test = dynamic_cast<CTestWnd*>(plat::automation::ActiveModalWindow());
    return test ? TestState { test->CurrentPattern()->name, test->Step() } : TestState {};
}

// A point of the main window's background, away from every control.
constexpr plat::Point kBackground { 590, 280 };

// Input queued while the program is busy is all in the queue before any of
// it is handled, as when the window system addressed it to the window it
// saw then: each event belongs to the window under the pointer when it is
// handled, so clicks made on the main window before a test showed reach the
// test, its right click ends it, and the next launch opens on step 0.
TEST_F(TestButtons, InputQueuedBehindALaunchReachesTheWindowUnderThePointer)
{
    using plat::automation::MouseButton;
    for (int clicks : { 0, 1, 9 }) {
        MainDlgUnderTest dlg;
        TestState first, second, after { "unlooked", 0 };
        RunModal(dlg, { [&] {
            plat::automation::ClickControl(dlg, IDC_BLOCKFILL);
            for (int i = 0; i < clicks; ++i)
                plat::automation::Click(dlg, kBackground);
            Then([&] { first = ActiveTest(); });
            plat::automation::Click(dlg, kBackground, MouseButton::Right);
            plat::automation::ClickControl(dlg, IDC_DEADPIXEL);
            Then([&] { second = ActiveTest(); });
            plat::automation::Click(dlg, kBackground, MouseButton::Right);
            Then([&] { after = ActiveTest(); });
        } });
        SCOPED_TRACE(std::to_string(clicks) + " clicks");
        EXPECT_EQ(first.pattern, "block-fill");
        EXPECT_EQ(first.step, clicks % 8) << "clicks queued behind the launch step the test";
        EXPECT_EQ(second.pattern, "dead-pixel") << "the right click ended the first test";
        EXPECT_EQ(second.step, 0);
        EXPECT_EQ(after.pattern, "") << "the second test ended";
    }
}

// The other order: a test is open when the user right-clicks and then
// clicks a test button, and both were addressed to the test window. Once
// the test has ended, the click belongs to the button under the pointer.
TEST_F(TestButtons, ClickQueuedBehindTheEndOfATestReachesTheMainWindow)
{
    using plat::automation::MouseButton;
    MainDlgUnderTest dlg;
    TestState opened, next, after { "unlooked", 0 };
    RunModal(dlg, { [&] {
        plat::automation::ClickControl(dlg, IDC_BLOCKFILL);
        Then([&] {
            auto* test = plat::automation::ActiveModalWindow();
            opened = ActiveTest();
            if (!test)
                return;
            plat::Rect button;
            dlg.GetDlgItem(IDC_DEADPIXEL)->GetWindowRect(&button);
            plat::Point onButton { (button.left + button.right) / 2, (button.top + button.bottom) / 2 };
            test->ScreenToClient(&onButton);
            plat::automation::Click(*test, kBackground, MouseButton::Right);
            plat::automation::Click(*test, onButton);
            Then([&] { next = ActiveTest(); });
            plat::automation::Click(dlg, kBackground, MouseButton::Right);
            Then([&] { after = ActiveTest(); });
        });
    } });
    EXPECT_EQ(opened.pattern, "block-fill");
    EXPECT_EQ(next.pattern, "dead-pixel") << "the click launched the dead-pixel test";
    EXPECT_EQ(next.step, 0);
    EXPECT_EQ(after.pattern, "");
}

TEST_F(TestButtons, TestsRunWhileTheWebPanelsPageIsStillLoading)
{
    lvtest::LoopbackServer server;
    // The page is held on the server until the window has closed (10 s at
    // most), so the test and the close happen while it loads.
    std::atomic<bool> requested { false }, release { false }, answered { false };
    server.Http().Get("/slow.htm", [&](const httplib::Request&, httplib::Response& res) {
        requested = true;
        for (int i = 0; i < 2000 && !release; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        answered = true;
        res.set_content("<p>late</p>", "text/html");
    });
    ASSERT_TRUE(server.Start());
    WriteMainHtm("[MAIN_URL]\r\n" + server.Url("/slow.htm") + "\r\n");

    MainDlgUnderTest dlg;
    SeenTest seen;
    bool enabledAfter = false;
    bool answeredAfterTest = true;
    RunModal(dlg, { [&] {
        // The loader works on its own thread: wait here until the page's
        // request is waiting on the server, then start a test.
        for (int i = 0; i < 300 && !requested; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ClickTest(dlg, IDC_BLOCKFILL, seen, enabledAfter);
        plat::PostIdleTask([&] { answeredAfterTest = answered; });
    } });
    bool answeredAtClose = answered;
    release = true;
    EXPECT_TRUE(requested);
    EXPECT_TRUE(seen.running);
    EXPECT_TRUE(enabledAfter);
    EXPECT_FALSE(answeredAfterTest) << "the test waited for the page";
    EXPECT_FALSE(answeredAtClose) << "closing the window waited for the page";
}

}
