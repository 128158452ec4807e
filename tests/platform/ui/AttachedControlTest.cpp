// The pattern the program's widgets follow: a class derived from Button,
// attached to a template control, with its own message map (mouse move and
// timer) and DrawItem, while clicks still reach the dialog.

#include "UiTestSupport.h"

#include "platform/ui/ClientDC.h"

using namespace plat;
using namespace uitest;

namespace {

constexpr COLORREF kNormal = RGB(220, 237, 250);
constexpr COLORREF kHot = RGB(87, 142, 184);

class HoverButton : public Button {
public:
    bool hover = false;
    int redraws = 0;

    void DrawItem(const DrawItemStruct&) override { Redraw(); }

    void OnMouseMove(unsigned flags, Point point)
    {
        Button::OnMouseMove(flags, point);
        KillTimer(1);
        UpdateHover();
        Redraw();
        SetTimer(1, 20);
    }

    void OnTimer(std::uintptr_t id)
    {
        if (id != 1) {
            Button::OnTimer(id);
            return;
        }
        if (!UpdateHover())
            KillTimer(1);
    }

private:
    bool UpdateHover()
    {
        Point p;
        GetCursorPos(&p);
        ScreenToClient(&p);
        Rect r;
        GetClientRect(&r);
        bool inside = PtInRect(r, p);
        if (inside != hover) {
            hover = inside;
            Redraw();
        }
        return inside;
    }

    void Redraw()
    {
        if (!IsWindow())
            return;
        ++redraws;
        ClientDC dc(this);
        Rect r;
        GetClientRect(&r);
        dc.FillSolidRect(r, hover ? kHot : kNormal);
    }

    LV_DECLARE_MESSAGE_MAP()
};

LV_BEGIN_MESSAGE_MAP(HoverButton, Button)
    LV_ON_WM_MOUSEMOVE()
    LV_ON_WM_TIMER()
LV_END_MESSAGE_MAP()

}

TEST(AttachedControl, HoverFollowsTheCursorAndLeavesByTimer)
{
    TestDialog dlg;
    HoverButton button;
    dlg.onExchange = [&](DataExchange* dx) { DDX_Control(dx, 1001, button); };
    COLORREF before = 0, over = 0, after = 0;
    bool timerStoppedAfterLeaving = false;
    dlg.onTimer = [&](TestDialog& d, std::uintptr_t) {
        d.KillTimer(99);
        after = automation::PixelColor(button, { 10, 10 });
        timerStoppedAfterLeaving = automation::RunningTimers() == 0;
        d.EndDialog(IDOK);
    };
    RunModal(dlg,
        {
            [&] {
                before = automation::PixelColor(button, { 10, 10 });
                automation::MouseMove(button, { 10, 10 });
            },
            [&] {
                over = automation::PixelColor(button, { 10, 10 });
                // The cursor goes elsewhere without the button hearing of
                // it; its timer notices.
                automation::SetCursorPos({ -1000, -1000 });
                dlg.SetTimer(99, 150);
            },
        },
        Ending::ByTheSteps);
    EXPECT_EQ(before, kNormal);
    EXPECT_EQ(over, kHot);
    EXPECT_EQ(after, kNormal);
    EXPECT_TRUE(timerStoppedAfterLeaving);
}

TEST(AttachedControl, ClicksStillReachTheDialog)
{
    TestDialog dlg;
    HoverButton button;
    dlg.onExchange = [&](DataExchange* dx) { DDX_Control(dx, 1001, button); };
    RunModal(dlg, { [&] {
        EXPECT_EQ(dlg.GetDlgItem(1001), &button);
        automation::ClickControl(dlg, 1001);
    } });
    EXPECT_EQ(Count(dlg.log, "click 1001"), 1);
    EXPECT_GT(button.redraws, 0);
}

TEST(AttachedControl, AttachingTwiceOrToAMissingControlChangesNothing)
{
    TestDialog dlg;
    HoverButton first, second, stray;
    dlg.onExchange = [&](DataExchange* dx) {
        DDX_Control(dx, 1001, first);
        DDX_Control(dx, 1001, first); // already attached: kept
        DDX_Control(dx, 1000, first); // an object holds one control only
        DDX_Control(dx, 4242, stray); // no such control
        DDX_Control(nullptr, 1000, second);
    };
    RunModal(dlg, { [&] {
        EXPECT_EQ(dlg.GetDlgItem(1001), &first);
        EXPECT_NE(dlg.GetDlgItem(1000), &first);
        EXPECT_FALSE(stray.IsWindow());
        EXPECT_FALSE(second.IsWindow());
        // The placeholder of control 1000 still works as a button.
        automation::ClickControl(dlg, 1000);
    } });
    EXPECT_EQ(Count(dlg.log, "click 1000"), 1);
}
