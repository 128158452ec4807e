// Dialog templates: the text format, its errors, and the program's four
// templates with their controls.

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/StringTable.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <set>

using namespace plat;

namespace {

const ControlTemplate* FindControl(const DialogTemplate& t, int id)
{
    for (const ControlTemplate& c : t.controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

}

TEST(Template, BadTextIsRejectedWithTheLine)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        { "size 1 2\n", "no dialog line" },
        { "dialog 1\nwindow 3\n", "line 2: unknown keyword \"window\"" },
        { "dialog 1\ntitle \"open\n", "line 2: unterminated quoted text" },
        { "dialog x\n", "line 1: expected a number, found \"x\"" },
        { "dialog 1\nsize -1 5\n", "line 2: negative dialog size" },
        { "dialog 1\ncontrol 5 slider 0 0 1 1\n", "line 2: unknown control kind \"slider\"" },
        { "dialog 1\ncontrol 5 button 0 0 1\n", "line 2: expected a number, found \"\"" },
        { "dialog 1\ncontrol 5 button 0 0 1 1 shiny\n", "line 2: unknown control flag \"shiny\"" },
        { "dialog 1\ncontrol 5 button 0 0 1 1 \"a\" extra\n", "line 2: unexpected text after the control line" },
        { "dialog 1\nfont 0 \"宋体\"\n", "line 2: font size out of range" },
        { "dialog 1\nstyle caption wobbly\n", "line 2: unknown style \"wobbly\"" },
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(DialogTemplate::Parse(c.text, &error).has_value()) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(Template, EscapesCommentsAndBlankLines)
{
    std::optional<DialogTemplate> t = DialogTemplate::Parse("# comment\r\n\r\ndialog 7\r\n"
                                                            "control -1 static 1 2 3 4 \"a\\nb \\\"q\\\" \\\\\"\r\n");
    ASSERT_TRUE(t);
    ASSERT_EQ(t->controls.size(), 1u);
    EXPECT_EQ(t->controls[0].text, "a\nb \"q\" \\");
    EXPECT_EQ(t->controls[0].units, (Rect { 1, 2, 4, 6 }));
    EXPECT_EQ(t->controls[0].id, -1);
}

TEST(Template, DialogUnitsUseTheTemplateFontsBaseUnits)
{
    DialogTemplate nine;
    nine.fontPoints = 9;
    EXPECT_EQ(nine.FontPixels(), 12);
    EXPECT_EQ(nine.BaseUnits(), (Size { 6, 12 }));
    // x * 6 / 4 and y * 12 / 8, position and size each rounded.
    EXPECT_EQ(nine.ToPixels({ 7, 7, 28, 28 }), (Rect { 11, 11, 43, 43 }));
    EXPECT_EQ(nine.ToPixels({ 40, 73, 238, 130 }), (Rect { 60, 110, 357, 196 }));
    DialogTemplate twelve;
    twelve.fontPoints = 12;
    EXPECT_EQ(twelve.BaseUnits(), (Size { 8, 16 }));
    EXPECT_EQ(twelve.ToPixels({ 1, 1, 2, 2 }), (Rect { 2, 2, 4, 4 }));
}

TEST(Template, MainWindowHasItsTwentyTwoControls)
{
    std::optional<DialogTemplate> t = DialogTemplate::Load(IDD_LV_DIALOG);
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->caption && t->sysMenu && t->minimizeBox && t->visible);
    EXPECT_EQ(t->fontFace, "宋体");
    EXPECT_EQ(t->units, (Size { 474, 380 }));
    EXPECT_EQ(t->ClientSize(), (Size { 711, 570 }));
    EXPECT_EQ(t->title.rfind("Lumivex 显示器测试 (", 0), 0u);
    EXPECT_EQ(t->title.back(), ')');

    std::set<int> ids, hidden;
    for (const ControlTemplate& c : t->controls) {
        ids.insert(c.id);
        if (!c.visible)
            hidden.insert(c.id);
    }
    std::set<int> expected;
    for (int id = IDC_BLOCKFILL; id <= IDC_MORESOFT; ++id)
        expected.insert(id);
    EXPECT_EQ(t->controls.size(), 22u);
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(hidden, (std::set<int> { IDC_SOFTBAR, IDC_CLEANER, IDC_GAMEBOX, IDC_BROWSER, IDC_ORGANISER }));

    const ControlTemplate* check = FindControl(*t, IDC_SHOWINFO);
    ASSERT_TRUE(check);
    EXPECT_EQ(check->kind, ControlKind::CheckBox);
    EXPECT_EQ(check->text, "测试时显示提示信息");
    EXPECT_EQ(FindControl(*t, IDC_WEB)->kind, ControlKind::WebHost);
    for (int id : expected)
        if (id != IDC_SHOWINFO && id != IDC_WEB) {
            EXPECT_EQ(FindControl(*t, id)->kind, ControlKind::Button) << id;
            EXPECT_TRUE(FindControl(*t, id)->ownerDraw) << id;
        }

    const std::pair<int, const char*> captions[] = {
        { IDC_BLOCKFILL, "块填充\n纯色测试" },
        { IDC_VLINE_FILL, "竖线填充\n纯色测试" },
        { IDC_HLINE_FILL, "横线填充\n纯色测试" },
        { IDC_DOT_DOWN, "点填充\n从上向下" },
        { IDC_DOT_RIGHT, "点填充\n从左向右" },
        { IDC_VLINE_GRADIENT, "竖线填充\n渐变测试" },
        { IDC_HLINE_GRADIENT, "横线填充\n渐变测试" },
        { IDC_DEADPIXEL, "显示器\n坏点测试" },
        { IDC_README, "使用说明" },
        { IDC_HOMEPAGE, "软件官网" },
        { IDC_SHOPPING, "购物导航" },
        { IDC_NOVELS, " 小说阅读" },
        { IDC_GAMES, "无聊游戏" },
        { IDC_ABOUT, "关于软件" },
        { IDC_MORESOFT, "更多软件" },
    };
    for (auto [id, caption] : captions)
        EXPECT_EQ(FindControl(*t, id)->text, caption) << id;
}

TEST(Template, TestWindowMoreSoftwareAndAbout)
{
    std::optional<DialogTemplate> test = DialogTemplate::Load(IDD_TEST_DIALOG);
    ASSERT_TRUE(test);
    EXPECT_FALSE(test->caption);
    EXPECT_TRUE(test->visible);
    EXPECT_TRUE(test->controls.empty());
    EXPECT_EQ(test->ClientSize(), (Size { 640, 400 }));

    std::optional<DialogTemplate> more = DialogTemplate::Load(IDD_MORESOFT);
    ASSERT_TRUE(more);
    EXPECT_EQ(more->units, (Size { 431, 196 }));
    EXPECT_TRUE(more->caption && more->sysMenu);
    ASSERT_EQ(more->controls.size(), 8u);
    const std::pair<int, Point> places[] = {
        { IDC_MORE_READER, { 7, 11 } },
        { IDC_MORE_CLEANER, { 7, 57 } },
        { IDC_MORE_ORGANISER, { 7, 103 } },
        { IDC_MORE_SNAPSHOT, { 7, 153 } },
        { IDC_MORE_DOWNLOADER, { 230, 11 } },
        { IDC_MORE_PLAYER, { 230, 57 } },
        { IDC_MORE_GAMEBOX, { 230, 103 } },
        { IDC_MORE_HOMEPAGE, { 230, 153 } },
    };
    for (auto [id, at] : places) {
        const ControlTemplate* c = FindControl(*more, id);
        ASSERT_TRUE(c) << id;
        EXPECT_EQ(c->units, (Rect { at.x, at.y, at.x + 194, at.y + 36 })) << id;
        EXPECT_EQ(c->kind, ControlKind::Button);
        if (id != IDC_MORE_HOMEPAGE) {
            EXPECT_EQ(c->text.rfind("《", 0), 0u) << id;
        }
    }

    std::optional<DialogTemplate> about = DialogTemplate::Load(IDD_ABOUTBOX);
    ASSERT_TRUE(about);
    EXPECT_EQ(about->title, "关于 Lumivex 液晶显示器测试软件");
    EXPECT_EQ(about->units, (Size { 303, 137 }));
    const ControlTemplate* path = FindControl(*about, IDC_ABOUT_EXEPATH);
    ASSERT_TRUE(path);
    EXPECT_TRUE(path->sunken && path->noPrefix);
    EXPECT_EQ(path->text, "EXEPATH");
    EXPECT_EQ(path->units, (Rect { 40, 73, 238, 130 }));
    EXPECT_TRUE(FindControl(*about, IDC_ABOUT_VERSION)->noPrefix);
    EXPECT_TRUE(FindControl(*about, 1)->defaultButton);
    EXPECT_EQ(about->controls[0].kind, ControlKind::Icon);
    EXPECT_EQ(about->controls[0].text, "128");
}

TEST(Template, StringTableHoldsTheAboutItem)
{
    EXPECT_EQ(LoadString(IDS_ABOUTBOX), "关于 LV(&A)...");
    std::string text = "x";
    EXPECT_FALSE(LoadString(text, 31999));
    EXPECT_EQ(text, "");
}
