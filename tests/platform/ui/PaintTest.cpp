// The paint cycle: invalidate -> erase -> paint, owner drawing, what ends
// up in the back buffer, and what never does (hidden controls).

#include "UiTestSupport.h"

#include "platform/ui/ClientDC.h"

using namespace plat;
using namespace uitest;

namespace {

constexpr COLORREF kFace = RGB(240, 240, 240);

class OwnerButton : public Button {
public:
    std::vector<DrawItemStruct> draws;
    void DrawItem(const DrawItemStruct& item) override
    {
        draws.push_back(item);
        item.dc->FillSolidRect(item.rect, (item.state & ODS_DISABLED) ? RGB(0, 0, 255) : RGB(255, 0, 0));
    }
};

class ColourDialog : public TestDialog {
public:
    Brush brush { RGB(10, 20, 30) };
    std::vector<unsigned> kinds;
    const Brush* OnCtlColor(DeviceContext* dc, Wnd*, unsigned kind)
    {
        kinds.push_back(kind);
        dc->SetBkColor(RGB(10, 20, 30));
        return &brush;
    }
    LV_DECLARE_MESSAGE_MAP()
};

LV_BEGIN_MESSAGE_MAP(ColourDialog, TestDialog)
    LV_ON_WM_CTLCOLOR()
LV_END_MESSAGE_MAP()

}

TEST(Paint, InvalidateLeadsToEraseThenPaint)
{
    TestDialog dlg;
    std::vector<std::string> withErase;
    std::vector<std::string> withoutErase;
    RunModal(dlg, { [&] {
        dlg.log.clear();
        dlg.Invalidate(true);
        EXPECT_TRUE(dlg.log.empty()); // later, not inside the call
        AfterEverything([&] {
            withErase = dlg.log;
            dlg.log.clear();
            dlg.Invalidate(false);
            AfterEverything([&] { withoutErase = dlg.log; });
        });
    } });
    EXPECT_EQ(withErase, (std::vector<std::string> { "erase", "paint" }));
    EXPECT_EQ(withoutErase, (std::vector<std::string> { "paint" }));
}

TEST(Paint, FirstShowAndExposeEraseTheBackground)
{
    TestDialog dlg;
    std::vector<std::string> afterExpose;
    RunModal(dlg, { [&] {
        EXPECT_EQ(Count(dlg.log, "erase"), 1);
        dlg.log.clear();
        automation::Expose(dlg);
        AfterEverything([&] { afterExpose = dlg.log; });
    } });
    EXPECT_EQ(afterExpose, (std::vector<std::string> { "erase", "paint" }));
}

TEST(Paint, OwnerDrawnButtonDrawsWithRectAndState)
{
    TestDialog dlg;
    OwnerButton owner;
    dlg.onExchange = [&](DataExchange* dx) { DDX_Control(dx, 1001, owner); };
    std::uint32_t enabledPixel = 0;
    std::uint32_t disabledPixel = 0;
    unsigned disabledState = 0;
    RunModal(dlg, { [&] {
        ASSERT_FALSE(owner.draws.empty());
        EXPECT_EQ(owner.draws.back().rect, (Rect { 0, 0, 75, 21 }));
        EXPECT_EQ(owner.draws.back().id, 1001);
        EXPECT_EQ(owner.draws.back().control, &owner);
        EXPECT_EQ(dlg.GetDlgItem(1001), &owner);
        enabledPixel = automation::Pixel(owner, { 74, 20 });
        owner.EnableWindow(false);
        AfterEverything([&] {
            disabledState = owner.draws.back().state;
            disabledPixel = automation::Pixel(owner, { 0, 0 });
        });
    } });
    EXPECT_EQ(enabledPixel, 0xFF0000u);
    EXPECT_EQ(disabledPixel, 0x0000FFu);
    EXPECT_EQ(disabledState & ODS_DISABLED, ODS_DISABLED);
    EXPECT_FALSE(owner.IsWindow());
}

TEST(Paint, PressedOwnerDrawnButtonIsSelected)
{
    TestDialog dlg;
    OwnerButton owner;
    dlg.onExchange = [&](DataExchange* dx) { DDX_Control(dx, 1001, owner); };
    unsigned pressedState = 0;
    RunModal(dlg, { [&] {
        automation::MouseDown(owner, { 3, 3 });
        AfterEverything([&] {
            pressedState = owner.draws.back().state;
            automation::MouseUp(owner, { 3, 3 });
        });
    } });
    EXPECT_EQ(pressedState & ODS_SELECTED, ODS_SELECTED);
    EXPECT_EQ(owner.draws.back().state & ODS_SELECTED, 0u);
    EXPECT_EQ(Count(dlg.log, "click 1001"), 1);
}

TEST(Paint, HiddenControlsAreNeverDrawn)
{
    TestDialog dlg;
    std::vector<COLORREF> pixels;
    RunModal(dlg, { [&] {
        Wnd* hidden = dlg.GetDlgItem(1002);
        // Where the hidden button lies (195, 15 .. 270, 36) the face shows.
        for (Point p : { Point { 195, 15 }, Point { 230, 25 }, Point { 269, 35 } })
            pixels.push_back(automation::PixelColor(dlg, p));
        ClientDC dc(hidden);
        dc.FillSolidRect({ 0, 0, 75, 21 }, RGB(255, 0, 0));
        hidden->Invalidate(true);
        hidden->UpdateWindow();
        pixels.push_back(automation::PixelColor(dlg, { 230, 25 }));
    } });
    EXPECT_EQ(pixels, (std::vector<COLORREF>(4, kFace)));
}

TEST(Paint, ClientDCDrawsIntoTheBackBufferAtOnce)
{
    TestDialog dlg;
    COLORREF onDialog = 0;
    COLORREF onButton = 0;
    RunModal(dlg, { [&] {
        ClientDC dc(&dlg);
        dc.SetPixel(3, 4, RGB(1, 2, 3));
        onDialog = automation::PixelColor(dlg, { 3, 4 });
        // A control's context is its own client area.
        ClientDC button(dlg.GetDlgItem(1000));
        button.SetPixel(0, 0, RGB(9, 8, 7));
        onButton = automation::PixelColor(dlg, { 15, 15 });
    } });
    EXPECT_EQ(onDialog, RGB(1, 2, 3));
    EXPECT_EQ(onButton, RGB(9, 8, 7));
}

TEST(Paint, StandardControlsDrawOnTheFace)
{
    TestDialog dlg;
    COLORREF background = 0, buttonBorder = 0, buttonFace = 0, boxBorder = 0, boxInside = 0;
    RunModal(dlg, { [&] {
        background = automation::PixelColor(dlg, { 299, 149 });
        Wnd* push = dlg.GetDlgItem(1000);
        buttonBorder = automation::PixelColor(*push, { 0, 0 });
        buttonFace = automation::PixelColor(*push, { 2, 2 });
        Wnd* check = dlg.GetDlgItem(1003);
        Rect r;
        check->GetClientRect(&r);
        int top = (r.Height() - 13) / 2;
        boxBorder = automation::PixelColor(*check, { 0, top });
        boxInside = automation::PixelColor(*check, { 2, top + 2 });
    } });
    EXPECT_EQ(background, kFace);
    EXPECT_EQ(buttonBorder, RGB(173, 173, 173));
    EXPECT_EQ(buttonFace, RGB(225, 225, 225));
    EXPECT_EQ(boxBorder, RGB(51, 51, 51));
    EXPECT_EQ(boxInside, RGB(255, 255, 255));
}

TEST(Paint, ControlColourHandlerColoursDialogAndStatics)
{
    ColourDialog dlg;
    COLORREF background = 0;
    COLORREF staticCorner = 0;
    RunModal(dlg, { [&] {
        background = automation::PixelColor(dlg, { 299, 149 });
        staticCorner = automation::PixelColor(*dlg.GetDlgItem(1004), { 119, 14 });
    } });
    EXPECT_EQ(background, RGB(10, 20, 30));
    EXPECT_EQ(staticCorner, RGB(10, 20, 30));
    EXPECT_NE(std::find(dlg.kinds.begin(), dlg.kinds.end(), CTLCOLOR_DLG), dlg.kinds.end());
    EXPECT_NE(std::find(dlg.kinds.begin(), dlg.kinds.end(), CTLCOLOR_STATIC), dlg.kinds.end());
}
