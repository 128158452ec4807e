// Buttons and check boxes: clicks on release over the button, once; hidden
// and disabled controls take no clicks.

#include "UiTestSupport.h"

using namespace plat;
using namespace uitest;

TEST(Button, ClickIsDeliveredOnceOnReleaseOverTheButton)
{
    TestDialog dlg;
    int clicksAtRelease = -1;
    RunModal(dlg, { [&] {
        Wnd* push = dlg.GetDlgItem(1000);
        automation::MouseMove(*push, { 5, 5 });
        automation::MouseDown(*push, { 5, 5 });
        Then([&, push] {
            // Pressed, held, not yet clicked.
            EXPECT_EQ(Count(dlg.log, "click 1000"), 0);
            EXPECT_TRUE(static_cast<Button*>(push)->IsPushed());
            EXPECT_EQ(Wnd::GetCapture(), push);
            automation::MouseUp(*push, { 6, 6 });
            Then([&] { clicksAtRelease = Count(dlg.log, "click 1000"); });
        });
    } });
    EXPECT_EQ(clicksAtRelease, 1);
    EXPECT_EQ(Count(dlg.log, "click 1000"), 1);
}

TEST(Button, ReleasedElsewhereIsNoClick)
{
    TestDialog dlg;
    bool pushedOutside = true;
    RunModal(dlg, { [&] {
        Wnd* push = dlg.GetDlgItem(1000);
        automation::MouseDown(*push, { 5, 5 });
        // The capture keeps the moves coming while the pointer is away.
        automation::MouseMove(dlg, { 290, 140 });
        Then([&, push] {
            pushedOutside = static_cast<Button*>(push)->IsPushed();
            automation::MouseUp(dlg, { 290, 140 });
        });
    } });
    EXPECT_FALSE(pushedOutside);
    EXPECT_EQ(Count(dlg.log, "click 1000"), 0);
    EXPECT_EQ(Wnd::GetCapture(), nullptr);
}

TEST(Button, PressElsewhereThenReleaseOverButtonIsNoClick)
{
    TestDialog dlg;
    RunModal(dlg, { [&] {
        Wnd* push = dlg.GetDlgItem(1000);
        automation::MouseDown(dlg, { 290, 140 });
        automation::MouseUp(*push, { 5, 5 });
    } });
    EXPECT_EQ(Count(dlg.log, "click 1000"), 0);
}

TEST(Button, CheckBoxTogglesOnEachClick)
{
    TestDialog dlg;
    std::vector<unsigned> states;
    RunModal(dlg, { [&] {
        states.push_back(dlg.IsDlgButtonChecked(1003));
        dlg.CheckDlgButton(1003, BST_CHECKED);
        states.push_back(dlg.IsDlgButtonChecked(1003));
        automation::ClickControl(dlg, 1003);
        Then([&] {
            states.push_back(dlg.IsDlgButtonChecked(1003));
            automation::ClickControl(dlg, 1003);
            Then([&] { states.push_back(dlg.IsDlgButtonChecked(1003)); });
        });
    } });
    EXPECT_EQ(states, (std::vector<unsigned> { 0, 1, 0, 1 }));
    EXPECT_EQ(Count(dlg.log, "click 1003"), 2);
}

TEST(Button, HiddenAndDisabledControlsTakeNoClicks)
{
    TestDialog dlg;
    RunModal(dlg, { [&] {
        Wnd* hidden = dlg.GetDlgItem(1002);
        ASSERT_NE(hidden, nullptr);
        EXPECT_FALSE(hidden->IsWindowVisible());
        automation::Click(*hidden, { 5, 5 });
        dlg.GetDlgItem(1000)->EnableWindow(false);
        automation::ClickControl(dlg, 1000);
    } });
    EXPECT_EQ(Count(dlg.log, "click 1002"), 0);
    EXPECT_EQ(Count(dlg.log, "click 1000"), 0);
}

TEST(Button, ShownHiddenControlTakesClicks)
{
    TestDialog dlg;
    RunModal(dlg, { [&] {
        dlg.GetDlgItem(1002)->ShowWindow(SW_SHOW);
        automation::ClickControl(dlg, 1002);
    } });
    EXPECT_EQ(Count(dlg.log, "click 1002"), 1);
}

TEST(Button, WindowTextIsKeptAsStored)
{
    TestDialog dlg;
    std::string text;
    RunModal(dlg, { [&] {
        dlg.SetDlgItemText(1000, "块填充\n纯色测试");
        text = dlg.GetDlgItem(1000)->GetWindowText();
    } });
    EXPECT_EQ(text, "块填充\n纯色测试");
}
