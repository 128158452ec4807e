// The dialog keyboard: Tab and the arrows move the focus, Space pushes the
// focused button, Enter and Escape accept and cancel; the focus rectangle
// shows once the keyboard has moved the focus.

#include "UiTestSupport.h"

using namespace plat;
using namespace uitest;

namespace {

// Tab order 1000, 1001, 1003, 1002 (1005 is hidden, 1006 disabled, 1007
// has no tab stop). Arrow groups: {1000, 1001}, {1003, 1007}, {1002}.
constexpr const char* kKeysTemplate = R"(dialog 903
title "Keys"
font 9 "宋体"
size 200 100
style caption sysmenu visible
control 1000 button 10 10 50 14 tabstop "Push"
control 1004 static 10 30 80 10 "Text"
control 1001 button 70 10 50 14 ownerdraw tabstop "Owner"
control 1005 button 130 10 50 14 hidden tabstop "Hidden"
control 1006 button 130 30 50 14 disabled tabstop "Off"
control 1003 checkbox 10 50 80 10 tabstop group "Check"
control 1007 button 100 50 50 14 "NoTab"
control 1002 button 10 70 50 14 tabstop group default "Other"
)";

struct Press {
    unsigned key;
    automation::Modifiers modifiers = automation::Modifiers::None;
};

int FocusedId(const Wnd& d)
{
    Wnd* focus = automation::FocusedControl(d);
    return focus ? focus->GetDlgCtrlID() : 0;
}

}

TEST(DialogKeys, TabAndArrowsMoveTheFocus)
{
    using automation::Modifiers;
    struct Case {
        const char* name;
        std::vector<Press> keys;
        int focus;
    };
    const Case cases[] = {
        { "first tab stop after initialisation", {}, 1000 },
        { "tab skips hidden, disabled and plain controls", { { VK_TAB }, { VK_TAB } }, 1003 },
        { "tab wraps", { { VK_TAB }, { VK_TAB }, { VK_TAB }, { VK_TAB } }, 1000 },
        { "shift+tab goes back and wraps", { { VK_TAB, Modifiers::Shift } }, 1002 },
        { "down within the first group", { { VK_DOWN } }, 1001 },
        { "up wraps within the group", { { VK_UP } }, 1001 },
        { "right reaches a control without a tab stop", { { VK_TAB }, { VK_TAB }, { VK_RIGHT } }, 1007 },
        { "left wraps in the check box's group", { { VK_TAB }, { VK_TAB }, { VK_LEFT } }, 1007 },
        { "a group of one keeps the focus", { { VK_TAB, Modifiers::Shift }, { VK_DOWN } }, 1002 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDialog dlg(kKeysTemplate);
        int focus = -1;
        RunModal(dlg, { [&] {
            for (const Press& p : c.keys)
                automation::Key(dlg, p.key, p.modifiers);
            Then([&] { focus = FocusedId(dlg); });
        } });
        EXPECT_EQ(focus, c.focus);
        EXPECT_EQ(Count(dlg.log, "click 1000") + Count(dlg.log, "click 1003"), 0) << "moving the focus clicks nothing";
    }
}

TEST(DialogKeys, SpacePushesOnPressAndClicksOnRelease)
{
    TestDialog dlg(kKeysTemplate);
    bool pushedWhileHeld = false;
    int clicksWhileHeld = -1;
    int checkAfter = -1;
    RunModal(dlg, { [&] {
        automation::KeyDown(dlg, VK_SPACE);
        Then([&] {
            pushedWhileHeld = static_cast<Button*>(dlg.GetDlgItem(1000))->IsPushed();
            clicksWhileHeld = Count(dlg.log, "click 1000");
        });
        automation::KeyUp(dlg, VK_SPACE);
        // The owner-drawn button and the check box, the same way.
        automation::Key(dlg, VK_TAB);
        automation::Key(dlg, VK_SPACE);
        automation::Key(dlg, VK_TAB);
        automation::Key(dlg, VK_SPACE);
        Then([&] { checkAfter = static_cast<int>(dlg.IsDlgButtonChecked(1003)); });
        // Moving on while Space is held lets the button out without a click.
        automation::KeyDown(dlg, VK_SPACE);
        automation::Key(dlg, VK_TAB);
        automation::KeyUp(dlg, VK_SPACE);
    } });
    EXPECT_TRUE(pushedWhileHeld);
    EXPECT_EQ(clicksWhileHeld, 0) << "the click comes with the release";
    EXPECT_EQ(Count(dlg.log, "click 1000"), 1);
    EXPECT_EQ(Count(dlg.log, "click 1001"), 1);
    EXPECT_EQ(Count(dlg.log, "click 1003"), 1);
    EXPECT_EQ(checkAfter, 1);
    EXPECT_EQ(Count(dlg.log, "click 1002"), 0) << "a push left by Tab is no click";
}

TEST(DialogKeys, EnterAndEscape)
{
    struct Case {
        const char* name;
        const char* templateText;
        std::vector<Press> keys;
        std::intptr_t result;
        const char* click;
    };
    const char* noDefault = R"(dialog 904
font 9 "宋体"
size 100 50
style caption visible
control 1001 button 10 10 50 14 ownerdraw tabstop "Owner"
)";
    const Case cases[] = {
        { "focused push button", kKeysTemplate, { { VK_RETURN } }, IDOK, "click 1000" },
        { "default button when the focus is not on a push button", kKeysTemplate, { { VK_TAB }, { VK_RETURN } }, IDOK,
            "click 1002" },
        { "IDOK without a default button", noDefault, { { VK_RETURN } }, IDOK, nullptr },
        { "escape", kKeysTemplate, { { VK_ESCAPE } }, IDCANCEL, nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDialog dlg(c.templateText);
        // Ends only through the keys: an IDOK of the script's own would hide a failure.
        std::intptr_t result = RunModal(dlg,
            { [&] {
                for (const Press& p : c.keys)
                    automation::Key(dlg, p.key, p.modifiers);
                if (c.click)
                    AtTheEnd([&dlg] { dlg.EndDialog(IDOK); });
            } },
            Ending::ByTheSteps);
        EXPECT_EQ(result, c.result);
        if (c.click) {
            EXPECT_EQ(Count(dlg.log, c.click), 1);
        }
        ProcessPendingMessages();
    }
}

TEST(DialogKeys, FocusRectangleShowsOnceTheKeyboardMovesTheFocus)
{
    TestDialog dlg(kKeysTemplate);
    COLORREF before = 0, focused = 0, after = 0;
    RunModal(dlg, { [&] {
        Wnd& push = *dlg.GetDlgItem(1000);
        // A mouse press gives the focus too, still without the rectangle.
        automation::Click(push, { 20, 10 });
        AfterEverything([&] {
            before = automation::PixelColor(push, { 3, 3 });
            automation::Key(dlg, VK_TAB);
            automation::Key(dlg, VK_TAB, automation::Modifiers::Shift);
            AfterEverything([&] {
                focused = automation::PixelColor(push, { 3, 3 });
                automation::Key(dlg, VK_TAB);
                AfterEverything([&] { after = automation::PixelColor(push, { 3, 3 }); });
            });
        });
    } });
    EXPECT_NE(before, RGB(0, 0, 0));
    EXPECT_EQ(focused, RGB(0, 0, 0)) << "the dotted rectangle's corner";
    EXPECT_EQ(after, before) << "gone with the focus";
}
