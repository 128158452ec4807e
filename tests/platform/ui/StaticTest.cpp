// Static text: wrapping at the control's width, the sunken edge, the
// prefix rule; and the message box laid out around its lines.

#include "UiTestSupport.h"

#include "platform/gfx/Font.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Static.h"
#include "platform/ui/TextWrap.h"
#include "resource.h"

using namespace plat;
using namespace uitest;

namespace {

DeviceContext SongContext()
{
    DeviceContext dc;
    Font font;
    font.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
    dc.SelectObject(font);
    return dc;
}

class AboutLike : public Dialog {
public:
    AboutLike()
        : Dialog(IDD_ABOUTBOX)
    {
    }
    std::string path;
    Static pathText;

protected:
    void DoDataExchange(DataExchange* dx) override { DDX_Control(dx, IDC_ABOUT_EXEPATH, pathText); }
    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        pathText.SetWindowText(path);
        return true;
    }
};

}

TEST(Static, WrapBreaksAfterSeparatorsAndInsideOverlongWords)
{
    DeviceContext dc = SongContext();
    ASSERT_EQ(dc.GetTextExtent("a").cx, 6); // half-width cells of the Song face
    using V = std::vector<std::string>;
    EXPECT_EQ(WrapText(dc, "Z:\\home\\lv\\lv.exe", 60), (V { "Z:\\home\\", "lv\\lv.exe" }));
    EXPECT_EQ(WrapText(dc, "abcdefghijklm", 30), (V { "abcde", "fghij", "klm" }));
    EXPECT_EQ(WrapText(dc, "one two three", 50), (V { "one two", "three" }));
    EXPECT_EQ(WrapText(dc, "一二三四五", 30), (V { "一二", "三四", "五" }));
    EXPECT_EQ(WrapText(dc, "a\r\nb\nc\rd", 100), (V { "a", "b", "c", "d" }));
    EXPECT_EQ(WrapText(dc, "", 100), V { "" });
    EXPECT_EQ(WrapText(dc, "xy", 0), (V { "x", "y" })); // never stuck on a zero width
}

TEST(Static, SunkenPathTextWrapsOverSeveralLines)
{
    AboutLike about;
    about.path = "Z:\\home\\user\\programs\\lumivex\\version-1.66\\release\\bin\\lv.exe";
    COLORREF topLeft = 0, bottomRight = 0;
    int inkedLines = 0;
    RunModal(about, { [&] {
        Rect r;
        about.pathText.GetClientRect(&r);
        topLeft = automation::PixelColor(about.pathText, { 0, 0 });
        bottomRight = automation::PixelColor(about.pathText, { r.right - 1, r.bottom - 1 });
        for (int line = 0; line < 4; ++line) {
            bool ink = false;
            for (int y = 1 + line * 12; y < 13 + line * 12 && y < r.bottom - 1; ++y)
                for (int x = 1; x < r.right - 1; ++x)
                    ink = ink || automation::PixelColor(about.pathText, { x, y }) == RGB(0, 0, 0);
            inkedLines += ink ? 1 : 0;
        }
    } });
    EXPECT_EQ(topLeft, RGB(160, 160, 160));
    EXPECT_EQ(bottomRight, RGB(255, 255, 255));
    EXPECT_EQ(inkedLines, 2); // 297 px hold 49 cells: the 62 characters need two lines
}

TEST(Static, PrefixIsHiddenUnlessTheControlSaysNoPrefix)
{
    TestDialog dlg(R"(dialog 904
font 9 "宋体"
size 100 40
style caption visible
control 1 static 0 0 100 10 "&&A&B"
control 2 static 0 20 100 10 noprefix "&&A&B"
)");
    int inkPrefixed = 0, inkRaw = 0;
    RunModal(dlg, { [&] {
        for (int x = 0; x < 150; ++x)
            for (int y = 0; y < 15; ++y) {
                inkPrefixed += automation::PixelColor(*dlg.GetDlgItem(1), { x, y }) == RGB(0, 0, 0);
                inkRaw += automation::PixelColor(*dlg.GetDlgItem(2), { x, y }) == RGB(0, 0, 0);
            }
        EXPECT_EQ(dlg.GetDlgItem(1)->GetWindowText(), "&&A&B"); // the text itself is kept
    } });
    // "&AB" (3 cells) against "&&A&B" (5 cells).
    EXPECT_GT(inkPrefixed, 0);
    EXPECT_GT(inkRaw, inkPrefixed);
}

TEST(Static, MessageBoxHoldsEveryLineAndItsOkButton)
{
    TestDialog owner;
    int result = 0;
    std::string title;
    Rect client, button;
    std::string text;
    RunModal(owner, { [&] {
        AfterEverything([&] {
            Wnd* box = automation::ActiveModalWindow();
            ASSERT_TRUE(box && box != &owner);
            title = box->GetWindowText();
            box->GetClientRect(&client);
            box->GetDlgItem(IDOK)->GetWindowRect(&button);
            box->ScreenToClient(&button);
            text = box->GetDlgItem(-1)->GetWindowText();
            automation::ClickControl(*box, IDOK);
        });
        result = MessageBox("您没有安装此软件。\r\n是否打开它的主页？\r\n第三行");
    } });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(title, "test_platform_ui") << "the application's name, from the executable's";
    EXPECT_EQ(text, "您没有安装此软件。\r\n是否打开它的主页？\r\n第三行");
    // Three 12-pixel lines above the button, the button inside the box.
    EXPECT_GE(button.top, 18 + 36);
    EXPECT_LE(button.bottom, client.bottom);
    EXPECT_GE(client.Width(), 9 * 12 + 20);
}
