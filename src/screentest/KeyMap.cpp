// The key map: what each key of the test window does, in the information
// lines' font and colours, in a framed box in the middle of the screen
// (from its top-left corner when the screen is smaller than the box).

#include "screentest/TestWnd.h"

#include "platform/ui/ClientDC.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct KeyLine {
    std::string_view keys;
    std::string_view action;
};

constexpr std::string_view kKeyMapTitle = " 键盘操作 (按任意键或点击鼠标关闭本说明) ";
constexpr std::array<KeyLine, 11> kKeyLines { {
    { "空格  →  ↓  PageDown", "下一步 (同鼠标左键)" },
    { "Backspace  ←  ↑  PageUp", "上一步" },
    { "Home", "回到第一步" },
    { "N", "下一个测试图案" },
    { "P", "上一个测试图案" },
    { "Tab  Shift+Tab", "移到下一个 / 上一个显示器" },
    { "Z", "显示或关闭放大镜" },
    { "M  鼠标中键", "标记鼠标下的像素 (M 再按一次取消)" },
    { "C", "清除本显示器的所有标记" },
    { "F1  ?", "显示或关闭本说明" },
    { "Esc  Enter  鼠标右键", "结束测试" },
} };

constexpr int kLineGap = 20;
constexpr int kPadding = 8;
// Indent of the key lines under the title, and the gap between the columns.
constexpr int kIndent = 16;
constexpr int kColumnGap = 24;

}

void CTestWnd::DrawKeyMap()
{
    plat::Rect client;
    GetClientRect(&client);
    plat::ClientDC dc(this);
    dc.SelectObject(m_font);

    // The columns line up by measured width: arrows and CJK are not
    // always two half-width cells.
    int keysWidth = 0, actionsWidth = 0;
    for (const KeyLine& line : kKeyLines) {
        keysWidth = std::max(keysWidth, dc.GetTextExtent(line.keys).cx);
        actionsWidth = std::max(actionsWidth, dc.GetTextExtent(line.action).cx);
    }
    int width = std::max(dc.GetTextExtent(kKeyMapTitle).cx, kIndent + keysWidth + kColumnGap + actionsWidth);
    int boxWidth = width + 2 * kPadding;
    int boxHeight = static_cast<int>(kKeyLines.size() + 1) * kLineGap + 2 * kPadding;
    int left = std::max(0, (client.Width() - boxWidth) / 2);
    int top = std::max(0, (client.Height() - boxHeight) / 2);
    plat::Rect box { left, top, left + boxWidth, top + boxHeight };
    dc.FillSolidRect(box, plat::RGB(0, 0, 0));
    dc.FillSolidRect({ box.left + 1, box.top + 1, box.right - 1, box.bottom - 1 }, plat::RGB(255, 255, 255));
    // The context's own colours, as the information lines have them.
    int x = left + kPadding;
    int y = top + kPadding;
    dc.TextOut(x, y, kKeyMapTitle);
    for (const KeyLine& line : kKeyLines) {
        y += kLineGap;
        dc.TextOut(x + kIndent, y, line.keys);
        dc.TextOut(x + kIndent + keysWidth + kColumnGap, y, line.action);
    }
    m_bKeyMap = true;
}
