// The window menu: opened by a right click on the background or Alt+Space;
// its items arrive as system commands.

#include "UiTestSupport.h"

#include "platform/ui/Menu.h"
#include "resource.h"

using namespace plat;
using namespace uitest;

namespace {

void AddAboutItem(TestDialog& d)
{
    Menu* menu = d.GetSystemMenu(false);
    ASSERT_NE(menu, nullptr);
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, "关于 LV(&A)...");
}

std::vector<unsigned> SysCommands(const TestDialog& d)
{
    std::vector<unsigned> ids;
    for (const std::string& entry : d.log)
        if (entry.rfind("syscommand ", 0) == 0)
            ids.push_back(static_cast<unsigned>(std::stoul(entry.substr(11))));
    return ids;
}

}

TEST(Menu, RightClickOnTheBackgroundDeliversTheAppendedItem)
{
    TestDialog dlg;
    bool popupOpen = false;
    RunModal(dlg, { [&] {
        AddAboutItem(dlg);
        automation::Click(dlg, { 290, 140 }, automation::MouseButton::Right);
        Then([&] {
            Wnd* popup = automation::OpenMenuPopup();
            popupOpen = popup != nullptr;
            if (!popup)
                return;
            int last = dlg.GetSystemMenu(false)->GetMenuItemCount() - 1;
            automation::Click(*popup, automation::MenuItemPoint(dlg, last));
        });
    } });
    EXPECT_TRUE(popupOpen);
    std::vector<unsigned> ids = SysCommands(dlg);
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_EQ(ids[0] & 0xFFF0, 16u);
    EXPECT_EQ(automation::OpenMenuPopup(), nullptr);
}

TEST(Menu, AltSpaceOpensItAndEscapeDismissesIt)
{
    TestDialog dlg;
    bool popupOpen = false;
    RunModal(dlg, { [&] {
        automation::Key(dlg, VK_SPACE, automation::Modifiers::Alt);
        Then([&] {
            Wnd* popup = automation::OpenMenuPopup();
            popupOpen = popup != nullptr;
            automation::Key(dlg, VK_ESCAPE);
        });
    } });
    EXPECT_TRUE(popupOpen);
    EXPECT_EQ(SysCommands(dlg), (std::vector<unsigned> { SC_KEYMENU }));
    EXPECT_EQ(automation::OpenMenuPopup(), nullptr);
}

TEST(Menu, ClickElsewhereDismissesWithoutCommand)
{
    TestDialog dlg;
    RunModal(dlg, { [&] {
        automation::Click(dlg, { 290, 140 }, automation::MouseButton::Right);
        Then([&] { automation::ClickControl(dlg, 1000); });
    } });
    EXPECT_TRUE(SysCommands(dlg).empty());
    // The click that dismissed the menu is not also a button click.
    EXPECT_EQ(Count(dlg.log, "click 1000"), 0);
}

TEST(Menu, CloseItemClosesTheDialog)
{
    TestDialog dlg;
    std::intptr_t result = RunModal(dlg,
        { [&] {
            automation::Click(dlg, { 290, 140 }, automation::MouseButton::Right);
            Then([&] {
                Menu* menu = dlg.GetSystemMenu(false);
                for (int i = 0; i < menu->GetMenuItemCount(); ++i)
                    if (menu->GetMenuItemID(i) == SC_CLOSE)
                        automation::Click(*automation::OpenMenuPopup(), automation::MenuItemPoint(dlg, i));
            });
        } },
        Ending::ByTheSteps);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(SysCommands(dlg), (std::vector<unsigned> { SC_CLOSE }));
}

TEST(Menu, RightClickOnAControlOrAWindowWithoutMenuOpensNothing)
{
    TestDialog plain(R"(dialog 902
font 12 "宋体"
size 50 50
style popup visible
)");
    bool opened = true;
    RunModal(plain, { [&] {
        EXPECT_EQ(plain.GetSystemMenu(false), nullptr);
        automation::Click(plain, { 5, 5 }, automation::MouseButton::Right);
        Then([&] { opened = automation::OpenMenuPopup() != nullptr; });
    } });
    EXPECT_FALSE(opened);

    TestDialog dlg;
    RunModal(dlg, { [&] {
        automation::Click(*dlg.GetDlgItem(1000), { 5, 5 }, automation::MouseButton::Right);
        Then([&] { opened = automation::OpenMenuPopup() != nullptr; });
    } });
    EXPECT_FALSE(opened);
}

TEST(Menu, AReleaseWithoutItsPressOpensNothing)
{
    // The press that ends a full-screen test lands on the test window; its
    // release then lands on the main window and must not open its menu.
    TestDialog dlg;
    bool opened = true;
    RunModal(dlg, { [&] {
        automation::MouseUp(dlg, { 290, 140 }, automation::MouseButton::Right);
        Then([&] { opened = automation::OpenMenuPopup() != nullptr; });
    } });
    EXPECT_FALSE(opened);
}

// The keyboard in the open window menu (还原 greyed, 最小化, separator,
// 关闭, separator, 关于): mnemonics choose, arrows move over the enabled
// items and wrap, Enter chooses, Escape dismisses, Alt+F4 closes the window.
TEST(Menu, KeyboardChoosesItems)
{
    struct Case {
        const char* name;
        std::vector<unsigned> keys;
        std::vector<unsigned> commands;
        bool stillOpen;
    };
    const unsigned kAbout = 16;
    const Case cases[] = {
        { "mnemonic", { 'A' }, { kAbout }, false },
        { "mnemonic of the close item", { 'C' }, { SC_CLOSE }, false },
        { "greyed item's mnemonic", { 'R' }, {}, true },
        { "no such mnemonic", { 'X' }, {}, true },
        { "down to the first enabled item", { VK_DOWN, VK_RETURN }, { SC_MINIMIZE }, false },
        { "down skips the separator", { VK_DOWN, VK_DOWN, VK_RETURN }, { SC_CLOSE }, false },
        { "up from nothing to the last", { VK_UP, VK_RETURN }, { kAbout }, false },
        { "down wraps past the greyed item", { VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN }, { SC_MINIMIZE }, false },
        { "up wraps", { VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN }, { kAbout }, false },
        { "enter without a highlight", { VK_RETURN }, {}, true },
        { "escape", { VK_ESCAPE }, {}, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDialog dlg;
        bool open = false;
        RunModal(dlg, { [&] {
            AddAboutItem(dlg);
            automation::Key(dlg, VK_SPACE, automation::Modifiers::Alt);
            for (unsigned key : c.keys)
                automation::Key(dlg, key);
            Then([&] {
                open = automation::OpenMenuPopup() != nullptr;
                if (open)
                    automation::Click(dlg, { 290, 140 });
            });
        } });
        // An item that closes the window leaves the check queued: it runs
        // here, while this case's state still exists.
        plat::ProcessPendingMessages();
        std::vector<unsigned> commands;
        for (unsigned id : SysCommands(dlg))
            if (id != SC_KEYMENU)
                commands.push_back(id & 0xFFF0);
        EXPECT_EQ(commands, c.commands);
        EXPECT_EQ(open, c.stillOpen);
    }
}

TEST(Menu, AltF4ClosesTheMenuAndTheWindow)
{
    TestDialog dlg;
    std::intptr_t result = RunModal(dlg,
        { [&] {
            automation::Key(dlg, VK_SPACE, automation::Modifiers::Alt);
            automation::Key(dlg, VK_F4, automation::Modifiers::Alt);
        } },
        Ending::ByTheSteps);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(SysCommands(dlg), (std::vector<unsigned> { SC_KEYMENU, SC_CLOSE }));
    EXPECT_EQ(automation::OpenMenuPopup(), nullptr);
}
