// The main window: its size and layout in pixels, the option box, the web
// panel's address, the window menu and its About item, icons and colours.

#include "MainDlgUnderTest.h"

#include "links/AboutDlg.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Menu.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace apptest;
using plat::Rect;

namespace {

// Run inside the About dialog's modal loop: notes whether it is open and ends it.
void EndAboutDialog(bool& aboutOpen)
{
    auto* about = dynamic_cast<CAboutDlg*>(plat::automation::ActiveModalWindow());
    aboutOpen = about != nullptr;
    if (about)
        about->EndDialog(plat::IDOK);
}

Rect ControlRect(const CMainDlg& dlg, int id)
{
    Rect r;
    if (plat::Wnd* control = dlg.GetDlgItem(id)) {
        control->GetWindowRect(&r);
        dlg.ScreenToClient(&r);
    }
    return r;
}

Rect At(int x, int y, int w, int h)
{
    return { x, y, x + w, y + h };
}

class MainWindow : public ScratchCurrentFolder {
protected:
    // The address the web panel was given at start.
    std::string StartAddress()
    {
        MainDlgUnderTest dlg;
        std::string address;
        RunModal(dlg, { [&] { address = dlg.m_web.GetLocationURL(); } });
        return address;
    }
};

TEST_F(MainWindow, FrameIs600By500CentredWithA594By472ClientArea)
{
    MainDlgUnderTest dlg;
    Rect frame, client, screen;
    std::string title;
    ASSERT_EQ(RunModal(dlg, { [&] {
        title = dlg.GetWindowText();
        dlg.GetWindowRect(&frame);
        dlg.GetClientRect(&client);
        plat::Wnd::GetDesktopWindow()->GetWindowRect(&screen);
    } }),
        plat::IDOK);
    EXPECT_EQ(frame.Width(), 600);
    EXPECT_EQ(frame.Height(), 500);
    EXPECT_EQ(client, At(0, 0, 594, 472));
    EXPECT_EQ(frame.left - screen.left, (screen.Width() - 600) / 2);
    EXPECT_EQ(frame.top - screen.top, (screen.Height() - 500) / 2);
    EXPECT_EQ(title, "Lumivex 显示器测试 (Brindle 软件 www.brindle.example)");
}

TEST_F(MainWindow, ControlsArePlacedToThePixelForTheRealClientArea)
{
    MainDlgUnderTest dlg;
    std::map<int, Rect> rects;
    ASSERT_EQ(RunModal(dlg, { [&] {
        for (int id = IDC_BLOCKFILL; id <= IDC_MORESOFT; ++id)
            rects[id] = ControlRect(dlg, id);
    } }),
        plat::IDOK);

    const int topRow[] = { IDC_HOMEPAGE, IDC_README, IDC_SHOPPING, IDC_MORESOFT, IDC_GAMES, IDC_NOVELS, IDC_ABOUT };
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(rects[topRow[k]], At(5 + 75 * k, 5, 70, 22)) << "top row button " << topRow[k];
    EXPECT_EQ(rects[IDC_WEB], At(5, 32, 584, 80)) << "web panel";
    EXPECT_EQ(rects[IDC_SHOWINFO], At(5, 122, 150, 20)) << "option box";

    const int columns[] = { 30, 176, 322, 468 };
    const int firstRow[] = { IDC_DEADPIXEL, IDC_BLOCKFILL, IDC_DOT_DOWN, IDC_DOT_RIGHT };
    const int secondRow[] = { IDC_HLINE_FILL, IDC_VLINE_FILL, IDC_HLINE_GRADIENT, IDC_VLINE_GRADIENT };
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(rects[firstRow[k]], At(columns[k], 162, 75, 75)) << "test button " << firstRow[k];
        EXPECT_EQ(rects[secondRow[k]], At(columns[k], 304, 75, 75)) << "test button " << secondRow[k];
    }
    EXPECT_EQ(rects[IDC_SOFTBAR], (Rect { 5, 404, 589, 467 })) << "software bar";

    // The hidden sibling-program buttons keep their template positions.
    std::optional<plat::DialogTemplate> t = plat::DialogTemplate::Load(CMainDlg::kTemplateId);
    ASSERT_TRUE(t.has_value());
    for (const plat::ControlTemplate& c : t->controls) {
        if (c.id >= IDC_CLEANER && c.id <= IDC_ORGANISER) {
            EXPECT_EQ(rects[c.id], t->ToPixels(c.units)) << "sibling button " << c.id;
        }
    }
}

TEST_F(MainWindow, HiddenControlsStayHiddenAndTheRestShow)
{
    MainDlgUnderTest dlg;
    std::map<int, bool> visible;
    RunModal(dlg, { [&] {
        for (int id = IDC_BLOCKFILL; id <= IDC_MORESOFT; ++id)
            if (plat::Wnd* control = dlg.GetDlgItem(id))
                visible[id] = control->IsWindowVisible();
    } });
    EXPECT_EQ(visible.size(), 22u);
    for (const auto& [id, shown] : visible)
        EXPECT_EQ(shown, id != IDC_SOFTBAR && (id < IDC_CLEANER || id > IDC_ORGANISER)) << "control " << id;
}

// Each picture button, hidden ones included, painted off screen at its
// 75 x 75 size, shows its picture at (21, 8): every pixel of the bitmap that
// is not white (white lets the face through). The dot fills show the line
// fills' pictures.
TEST_F(MainWindow, PictureButtonsShowTheirPictures)
{
    MainDlgUnderTest dlg;
    std::vector<std::string> wrong;
    RunModal(dlg, { [&] {
        const std::pair<CImageButton*, int> expected[] = {
            { &dlg.m_btnDeadPixel, IDB_DEADPIXEL },
            { &dlg.m_btnBlockFill, IDB_BLOCKFILL },
            { &dlg.m_btnDotDown, IDB_VLINE },
            { &dlg.m_btnDotRight, IDB_HLINE },
            { &dlg.m_btnVLineFill, IDB_VLINE },
            { &dlg.m_btnHLineFill, IDB_HLINE },
            { &dlg.m_btnVLineGradient, IDB_VGRADIENT },
            { &dlg.m_btnHLineGradient, IDB_HGRADIENT },
            { &dlg.m_btnGameBox, IDB_GAMEBOX },
            { &dlg.m_btnCleaner, IDB_CLEANER },
            { &dlg.m_btnOrganiser, IDB_ORGANISER },
            { &dlg.m_btnBrowser, IDB_BROWSER },
        };
        for (const auto& [button, bitmapId] : expected) {
            plat::Bitmap picture;
            ASSERT_TRUE(picture.LoadBitmap(bitmapId));
            plat::Surface face(75, 75);
            plat::DeviceContext dc(face);
            button->Paint(dc, { 0, 0, 75, 75 });
            int differing = 0, inked = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    const std::uint32_t pixel = picture.Pixels()->Pixel(x, y);
                    if (pixel == 0xFFFFFF)
                        continue;
                    ++inked;
                    differing += face.Pixel(21 + x, 8 + y) != pixel;
                }
            if (inked == 0 || differing > 0)
                wrong.push_back("button " + std::to_string(button->GetDlgCtrlID()) + ": " + std::to_string(differing)
                    + " of " + std::to_string(inked) + " picture pixels differ");
        }
    } });
    EXPECT_EQ(wrong, std::vector<std::string> {});
}

TEST_F(MainWindow, OptionBoxIsTickedAtEveryStart)
{
    for (int run = 0; run < 2; ++run) {
        MainDlgUnderTest dlg;
        unsigned atStart = 9;
        RunModal(dlg, { [&] {
            atStart = dlg.IsDlgButtonChecked(IDC_SHOWINFO);
            plat::automation::ClickControl(dlg, IDC_SHOWINFO);
        } });
        EXPECT_EQ(atStart, 1u) << "run " << run;
        EXPECT_EQ(dlg.m_chkShowInfo.GetCheck(), plat::BST_UNCHECKED) << "the click clears it";
    }
}

TEST_F(MainWindow, WebPanelFallsBackToAboutBlank)
{
    EXPECT_EQ(StartAddress(), "about:blank") << "no data\\main.htm";
    WriteMainHtm("[OTHER]\r\nhttp://other.example/\r\n");
    EXPECT_EQ(StartAddress(), "about:blank") << "no [MAIN_URL]";
    WriteMainHtm("[MAIN_URL]\r\n");
    EXPECT_EQ(StartAddress(), "about:blank") << "nothing after the tag";
    WriteMainHtm("[MAIN_URL]\r\n \t \r\n[OTHER]\r\nhttp://other.example/\r\n");
    EXPECT_EQ(StartAddress(), "about:blank") << "a value line of white space";
    WriteMainHtm("[MAIN_URL]\r\n// http://commented.example/\r\n");
    EXPECT_EQ(StartAddress(), "about:blank") << "only a comment after the tag";
}

TEST_F(MainWindow, WebPanelShowsMainUrlFromTheTaggedFile)
{
    WriteMainHtm("[TITLE]\r\nx\r\n[main_url]\r\nhttp://www.brindle.example/lv/panel.htm\r\n[HTML_END]\r\n");
    EXPECT_EQ(StartAddress(), "http://www.brindle.example/lv/panel.htm");
}

TEST_F(MainWindow, UpdateThreadIsStartedOnce)
{
    MainDlgUnderTest dlg;
    RunModal(dlg, {});
    EXPECT_EQ(dlg.updateThreadStarts, 1);
}

TEST_F(MainWindow, WindowMenuEndsWithTheAboutItemBelowASeparator)
{
    MainDlgUnderTest dlg;
    std::vector<plat::Menu::Item> items;
    RunModal(dlg, { [&] {
        if (plat::Menu* menu = dlg.GetSystemMenu(false))
            items = menu->Items();
    } });
    ASSERT_GE(items.size(), 2u);
    const plat::Menu::Item& separator = items[items.size() - 2];
    const plat::Menu::Item& about = items.back();
    EXPECT_TRUE(separator.flags & plat::MF_SEPARATOR);
    EXPECT_EQ(about.id, IDM_ABOUTBOX);
    EXPECT_EQ(about.text, "关于 LV(&A)...");
}

TEST_F(MainWindow, AboutItemOpensTheAboutDialogModally)
{
    MainDlgUnderTest dlg;
    bool aboutOpen = false;
    bool mainEnabledMeanwhile = true;
    bool mainEnabledAfter = false;
    EXPECT_EQ(RunModal(dlg, { [&] {
        Then([&] {
            auto* about = dynamic_cast<CAboutDlg*>(plat::automation::ActiveModalWindow());
            aboutOpen = about != nullptr;
            mainEnabledMeanwhile = dlg.IsWindowEnabled();
            if (about)
                plat::automation::Key(*about, plat::VK_ESCAPE);
        });
        // Only the high twelve bits name the command.
        dlg.SendMessage(plat::WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3);
        mainEnabledAfter = dlg.IsWindowEnabled();
    } }),
        plat::IDOK);
    EXPECT_TRUE(aboutOpen);
    EXPECT_FALSE(mainEnabledMeanwhile);
    EXPECT_TRUE(mainEnabledAfter);
}

TEST_F(MainWindow, AboutButtonOpensTheAboutDialog)
{
    MainDlgUnderTest dlg;
    bool aboutOpen = false;
    RunModal(dlg, { [&] {
        plat::automation::ClickControl(dlg, IDC_ABOUT);
        Then([&] { EndAboutDialog(aboutOpen); });
    } });
    EXPECT_TRUE(aboutOpen);
}

TEST_F(MainWindow, ChoosingTheAboutItemInTheOpenMenuOpensTheDialog)
{
    MainDlgUnderTest dlg;
    bool aboutOpen = false;
    RunModal(dlg, { [&] {
        plat::automation::Key(dlg, plat::VK_SPACE, plat::automation::Modifiers::Alt);
        Then([&] {
            plat::Wnd* popup = plat::automation::OpenMenuPopup();
            ASSERT_NE(popup, nullptr);
            int last = dlg.GetSystemMenu(false)->GetMenuItemCount() - 1;
            plat::automation::Click(*popup, plat::automation::MenuItemPoint(dlg, last));
            // Runs inside the About dialog's modal loop.
            Then([&] { EndAboutDialog(aboutOpen); });
        });
    } });
    EXPECT_TRUE(aboutOpen);
}

TEST_F(MainWindow, OtherSystemCommandsTakeTheDefaultPath)
{
    MainDlgUnderTest dlg;
    EXPECT_EQ(RunModal(dlg, { [&] { dlg.SendMessage(plat::WM_SYSCOMMAND, plat::SC_CLOSE); } }), plat::IDCANCEL) << "close from the window menu ends the window";

    MainDlgUnderTest escape;
    EXPECT_EQ(RunModal(escape, { [&] { plat::automation::Key(escape, plat::VK_ESCAPE); } }), plat::IDCANCEL);
}

TEST_F(MainWindow, IconsAndBackgroundColour)
{
    MainDlgUnderTest dlg;
    const plat::Icon* big = nullptr;
    const plat::Icon* small = nullptr;
    plat::LRESULT dragIcon = 0;
    plat::LRESULT brush = 0;
    plat::COLORREF bkColor = 0;
    std::uint32_t face = 0;
    RunModal(dlg, { [&] {
        big = dlg.GetIcon(true);
        small = dlg.GetIcon(false);
        dragIcon = dlg.SendMessage(plat::WM_QUERYDRAGICON);
        plat::DeviceContext dc;
        plat::CtlColorRequest request { &dlg.m_chkShowInfo, plat::CTLCOLOR_BTN };
        brush = dlg.SendMessage(plat::WM_CTLCOLOR, reinterpret_cast<plat::WPARAM>(&dc), reinterpret_cast<plat::LPARAM>(&request));
        bkColor = dc.GetBkColor();
        face = plat::automation::Pixel(dlg, { 590, 280 });
    } });
    EXPECT_FALSE(dlg.m_hIcon.IsNull());
    EXPECT_EQ(big, &dlg.m_hIcon);
    EXPECT_EQ(small, &dlg.m_hIcon);
    EXPECT_EQ(dragIcon, reinterpret_cast<plat::LRESULT>(&dlg.m_hIcon));
    EXPECT_EQ(brush, reinterpret_cast<plat::LRESULT>(&dlg.m_brBack));
    EXPECT_EQ(dlg.m_brBack.Color(), plat::RGB(240, 240, 240));
    EXPECT_EQ(bkColor, plat::RGB(240, 240, 240));
    EXPECT_EQ(face, 0xF0F0F0u);
}

TEST_F(MainWindow, BadTaggedFilesGiveTheDefaultOrWhatTheRulesSay)
{
    using namespace std::string_literals;
    WriteMainHtm("\0[MAIN_URL]\r\nhttp://after.nul/\r\n"s);
    EXPECT_EQ(StartAddress(), "about:blank") << "a NUL first byte ends the text";

    WriteMainHtm("[MAIN_URL] http://same.line/ [HTML_END]");
    EXPECT_EQ(StartAddress(), "about:blank") << "no line breaks";

    std::string binary(64 * 1024, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(1 + (i * 7919 + i / 251) % 255);
    WriteMainHtm(binary);
    EXPECT_EQ(StartAddress(), "about:blank") << "binary bytes";

    WriteMainHtm("\x81\xff\xfe\r\n[MAIN_URL]\r\nhttp://x.example/\xff\r\n");
    EXPECT_EQ(StartAddress(), "http://x.example/\xEF\xBF\xBD") << "bytes outside code page 936 read as replacements";

    WriteMainHtm(std::string(24 * 1024 * 1024, 'a') + "\r\n[MAIN_URL]\r\nhttp://big.example/\r\n");
    EXPECT_EQ(StartAddress(), "http://big.example/") << "a huge file with a 24 MB first line";
}

}
