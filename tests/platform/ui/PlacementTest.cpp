// Frame and client rectangles, centring, the topmost full-screen position,
// and screen/client conversion of the cursor.

#include "UiTestSupport.h"

#include "platform/gfx/Icon.h"
#include "platform/gfx/Surface.h"
#include "resource.h"

using namespace plat;
using namespace uitest;

TEST(Placement, FramedWindowClientIsFrameLessBorderAndCaption)
{
    TestDialog dlg;
    Rect client, frame, templateClient;
    RunModal(dlg, { [&] {
        dlg.GetClientRect(&templateClient);
        dlg.MoveWindow(0, 0, 600, 500);
        dlg.GetClientRect(&client);
        dlg.GetWindowRect(&frame);
    } });
    EXPECT_EQ(templateClient, (Rect { 0, 0, 300, 150 })); // the template's size is the client area
    EXPECT_EQ(client, (Rect { 0, 0, 594, 472 }));
    EXPECT_EQ(frame, (Rect { 0, 0, 600, 500 }));
}

TEST(Placement, CenterWindowCentresOnTheScreen)
{
    TestDialog dlg;
    Rect frame, screen;
    RunModal(dlg, { [&] {
        dlg.MoveWindow(0, 0, 600, 500);
        dlg.CenterWindow();
        dlg.GetWindowRect(&frame);
        Wnd::GetDesktopWindow()->GetWindowRect(&screen);
    } });
    ASSERT_FALSE(screen.IsEmpty());
    EXPECT_EQ(frame.Width(), 600);
    EXPECT_EQ(frame.left, screen.left + (screen.Width() - 600) / 2);
    EXPECT_EQ(frame.top, std::max(screen.top, screen.top + (screen.Height() - 500) / 2));
}

TEST(Placement, TopMostPopupCoversThePrimaryScreen)
{
    TestDialog dlg(R"(dialog 903
font 12 "宋体"
size 320 200
style popup visible
)");
    Rect screen, client, window;
    Size buffer;
    std::vector<std::string> afterMove;
    RunModal(dlg, { [&] {
        Wnd::GetDesktopWindow()->GetWindowRect(&screen);
        dlg.log.clear();
        dlg.SetWindowPos(wndTopMost, 0, 0, screen.Width(), screen.Height(), SWP_FRAMECHANGED);
        dlg.GetClientRect(&client);
        dlg.GetWindowRect(&window);
        const Surface* b = automation::BackBuffer(dlg);
        buffer = { b->Width(), b->Height() };
        AfterEverything([&] { afterMove = dlg.log; });
    } });
    EXPECT_EQ(client, (Rect { 0, 0, screen.Width(), screen.Height() }));
    EXPECT_EQ(window, (Rect { 0, 0, screen.Width(), screen.Height() }));
    EXPECT_EQ(buffer, (Size { screen.Width(), screen.Height() }));
    EXPECT_EQ(afterMove, (std::vector<std::string> { "erase", "paint" }));
}

TEST(Placement, CursorPositionConvertsToEachWindowsClientArea)
{
    TestDialog dlg;
    Point inDialog, inButton, screenPoint;
    Rect buttonOnScreen;
    RunModal(dlg, { [&] {
        Wnd* button = dlg.GetDlgItem(1000);
        automation::MouseMove(*button, { 5, 6 });
        Then([&, button] {
            GetCursorPos(&screenPoint);
            inDialog = screenPoint;
            dlg.ScreenToClient(&inDialog);
            inButton = screenPoint;
            button->ScreenToClient(&inButton);
            button->GetWindowRect(&buttonOnScreen);
        });
    } });
    EXPECT_EQ(inButton, (Point { 5, 6 }));
    EXPECT_EQ(inDialog, (Point { 20, 21 }));
    EXPECT_TRUE(PtInRect(buttonOnScreen, screenPoint));
    EXPECT_EQ(buttonOnScreen.Width(), 75);
}

TEST(Placement, MovingAControlRepaintsOldAndNewPlace)
{
    TestDialog dlg;
    COLORREF oldPlace = 0;
    COLORREF newPlace = 0;
    RunModal(dlg, { [&] {
        dlg.GetDlgItem(1000)->MoveWindow(100, 100, 20, 20, true);
        AfterEverything([&] {
            oldPlace = automation::PixelColor(dlg, { 16, 16 });
            newPlace = automation::PixelColor(dlg, { 100, 100 });
        });
    } });
    EXPECT_EQ(oldPlace, RGB(240, 240, 240));
    EXPECT_EQ(newPlace, RGB(173, 173, 173));
}

TEST(Placement, IconsBigAndSmall)
{
    TestDialog dlg;
    Icon big, small;
    ASSERT_TRUE(big.LoadIcon(IDR_MAINFRAME));
    const Icon* afterSet = nullptr;
    const Icon* previous = &small;
    const Icon* dragIcon = nullptr;
    RunModal(dlg, { [&] {
        previous = dlg.SetIcon(&big, true);
        dlg.SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(&small));
        afterSet = dlg.GetIcon(false);
        dragIcon = reinterpret_cast<const Icon*>(dlg.SendMessage(WM_QUERYDRAGICON));
    } });
    EXPECT_EQ(previous, nullptr);
    EXPECT_EQ(afterSet, &small);
    EXPECT_EQ(dragIcon, &big);
}
