#pragma once

// A modeless dialog holding the widgets under test, as the main window holds
// them: controls from a template, attached with DDX_Control, pictures given
// at initialisation. Tests pump the event loop between checks.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Surface.h"
#include "platform/ui/Automation.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/EventLoop.h"
#include "resource.h"
#include "support/DialogText.h"
#include "support/ModalRun.h"
#include "widgets/ImageButton.h"
#include "widgets/SkinButton.h"

#include <gtest/gtest.h>

#include <vector>

namespace wtest {

// 360 x 240 pixels of client area; a 50 x 50 button is 75 x 75 pixels.
inline constexpr const char* kTemplate = R"(dialog 901
title "Widgets"
font 9 "宋体"
size 240 160
style caption sysmenu visible
control 1000 button 10 10 50 50 ownerdraw "块填充\n纯色测试"
control 1001 button 70 10 50 50 ownerdraw "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
control 1002 button 130 10 14 50 ownerdraw "窄"
control 1003 button 160 10 50 50 ownerdraw "无图"
control 1004 button 10 80 47 15 ownerdraw "软件官网"
control 1005 button 10 110 47 15 ownerdraw ""
)";

class WidgetDialog : public plat::Dialog {
public:
    WidgetDialog()
        : Dialog(lvtest::ParseDialog(kTemplate), nullptr)
    {
    }

    CImageButton image;       // 1000, two-line caption, picture IDB_BLOCKFILL
    CImageButton wideCaption; // 1001, one line far wider than the button
    CImageButton narrow;      // 1002
    CImageButton noPicture;   // 1003, a bitmap that does not exist
    CSkinButton skin;         // 1004
    CSkinButton bareSkin;     // 1005, no caption: nothing but the strip
    std::vector<int> clicks;

protected:
    void DoDataExchange(plat::DataExchange* dx) override
    {
        plat::DDX_Control(dx, 1000, image);
        plat::DDX_Control(dx, 1001, wideCaption);
        plat::DDX_Control(dx, 1002, narrow);
        plat::DDX_Control(dx, 1003, noPicture);
        plat::DDX_Control(dx, 1004, skin);
        plat::DDX_Control(dx, 1005, bareSkin);
    }
    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        image.SetImage(IDB_BLOCKFILL);
        wideCaption.SetImage(IDB_HLINE);
        narrow.SetImage(IDB_BLOCKFILL);
        noPicture.SetImage(9999);
        return true;
    }
    plat::LRESULT WindowProc(unsigned message, plat::WPARAM wParam, plat::LPARAM lParam) override
    {
        if (message == plat::WM_COMMAND && plat::HIWORD(wParam) == plat::BN_CLICKED)
            clicks.push_back(static_cast<int>(plat::LOWORD(wParam)));
        return Dialog::WindowProc(message, wParam, lParam);
    }
};

using lvtest::ClientPixels;
using lvtest::Pump;
using lvtest::PumpFor;
using lvtest::WaitUntil;

// The dialog, created and fully painted before each test.
class WidgetTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Create());
        Pump();
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        Pump();
    }

    // A resize to exact pixels, repainted.
    static void Resize(plat::Wnd& control, int width, int height)
    {
        plat::Rect r;
        control.GetWindowRect(&r);
        control.GetParent()->ScreenToClient(&r);
        control.MoveWindow(r.left, r.top, width, height);
        Pump();
    }

    // Moves the pointer onto the dialog's empty lower right corner.
    void LeaveOntoDialog()
    {
        plat::automation::MouseMove(dlg, { 350, 230 });
        Pump();
    }

    WidgetDialog dlg;
};

inline plat::Bitmap Resource(int id)
{
    plat::Bitmap b;
    EXPECT_TRUE(b.LoadBitmap(id)) << "bitmap " << id;
    return b;
}

}
