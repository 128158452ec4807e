// Timers and messages against windows that come and go.

#include "UiTestSupport.h"

#include <thread>

using namespace plat;
using namespace uitest;

TEST(Timer, TicksArriveOnTheUiThreadAndStopWhenKilled)
{
    StartWatchdog();
    TestDialog dlg;
    std::thread::id uiThread = std::this_thread::get_id();
    int ticks = 0;
    bool allOnUiThread = true;
    int ticksAfterKill = -1;
    dlg.onInit = [](TestDialog& d) { EXPECT_EQ(d.SetTimer(1, 10), 1u); };
    dlg.onTimer = [&](TestDialog& d, std::uintptr_t id) {
        allOnUiThread = allOnUiThread && std::this_thread::get_id() == uiThread;
        if (id == 1 && ++ticks == 3) {
            EXPECT_TRUE(d.KillTimer(1));
            d.SetTimer(2, 80);
        } else if (id == 2) {
            ticksAfterKill = ticks;
            d.EndDialog(IDOK);
        }
    };
    dlg.DoModal();
    EXPECT_TRUE(allOnUiThread);
    EXPECT_EQ(ticksAfterKill, 3);
    EXPECT_EQ(automation::RunningTimers(), 0);
}

TEST(Timer, TimersEndWithTheirWindow)
{
    StartWatchdog();
    {
        TestDialog dlg;
        dlg.onInit = [](TestDialog& d) {
            d.SetTimer(1, 10);
            d.SetTimer(5, 10);
            d.EndDialog(IDOK);
        };
        dlg.DoModal();
        EXPECT_EQ(automation::RunningTimers(), 0);
        EXPECT_EQ(dlg.SetTimer(1, 10), 0u); // no window, no timer
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ProcessPendingMessages();
}

TEST(Timer, TickThatClosesItsWindowDuringAnotherModalRun)
{
    StartWatchdog();
    TestDialog outer;
    std::intptr_t innerResult = 0;
    int outerTicks = 0;
    outer.onInit = [](TestDialog& o) { Then([&] { automation::ClickControl(o, 1000); }); };
    outer.onTimer = [&](TestDialog& o, std::uintptr_t) {
        ++outerTicks;
        o.DestroyWindow(); // while the inner dialog's loop runs
    };
    outer.onClick = [&](TestDialog& o, int) {
        o.SetTimer(7, 10); // its first tick comes while the inner run goes on
        TestDialog inner(kTestTemplate, &o);
        inner.onInit = [](TestDialog& i) { i.SetTimer(1, 100); };
        inner.onTimer = [](TestDialog& i, std::uintptr_t) { i.EndDialog(3); };
        innerResult = inner.DoModal();
    };
    EXPECT_EQ(outer.DoModal(), -1);
    EXPECT_EQ(innerResult, 3);
    EXPECT_EQ(outerTicks, 1);
    EXPECT_EQ(automation::RunningTimers(), 0);
}

TEST(Timer, SettingAnExistingTimerRestartsIt)
{
    StartWatchdog();
    TestDialog dlg;
    dlg.onInit = [](TestDialog& d) {
        d.SetTimer(1, 1000);
        d.SetTimer(1, 10);
        EXPECT_EQ(automation::RunningTimers(), 1);
    };
    dlg.onTimer = [](TestDialog& d, std::uintptr_t) { d.EndDialog(IDOK); };
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(Timer, MessagesForDestroyedWindowsAreDropped)
{
    StartWatchdog();
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    HWND handle = dlg.m_hWnd;
    Wnd* button = dlg.GetDlgItem(1000);
    HWND buttonHandle = button->m_hWnd;
    ProcessPendingMessages();
    dlg.log.clear();
    dlg.PostMessage(WM_TIMER, 4, 0);
    automation::ClickControl(dlg, 1000);
    dlg.DestroyWindow();
    ProcessPendingMessages();
    EXPECT_TRUE(dlg.log.empty());
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(IsWindow(buttonHandle));
    EXPECT_EQ(Wnd::FromHandle(handle), nullptr);
    // Operations on a window that is gone fail quietly.
    EXPECT_EQ(dlg.SendMessage(WM_TIMER, 1, 0), 0);
    EXPECT_FALSE(dlg.PostMessage(WM_TIMER, 1, 0));
    EXPECT_EQ(dlg.GetWindowText(), "");
    EXPECT_EQ(dlg.GetDlgItem(1000), nullptr);
    dlg.InvalidateRect(nullptr, true);
    dlg.MoveWindow(0, 0, 10, 10);
    Rect r { 1, 2, 3, 4 };
    dlg.GetClientRect(&r);
    EXPECT_EQ(r, Rect {});
    ProcessPendingMessages();
}

TEST(Timer, ObjectDestroyedWhileItsWindowLives)
{
    StartWatchdog();
    HWND handle = 0;
    {
        TestDialog dlg;
        ASSERT_TRUE(dlg.Create());
        dlg.SetTimer(1, 10);
        handle = dlg.m_hWnd;
        dlg.PostMessage(WM_TIMER, 1, 0);
    }
    EXPECT_FALSE(IsWindow(handle));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ProcessPendingMessages();
    EXPECT_EQ(automation::RunningTimers(), 0);
}

TEST(Timer, WorkerThreadsPostTasksToTheUiThread)
{
    StartWatchdog();
    TestDialog dlg;
    std::thread::id ranOn;
    dlg.onInit = [&](TestDialog& d) {
        std::thread([&ranOn, &d] {
            PostTask([&ranOn, &d] {
                ranOn = std::this_thread::get_id();
                d.EndDialog(IDOK);
            });
        }).detach();
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}
