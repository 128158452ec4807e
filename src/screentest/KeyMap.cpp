// The key map: what each key of the test window does, in the information
// lines' font and colours, in a framed box in the middle of the screen
// (from its top-left corner when the screen is smaller than the box).

#include "screentest/TestWnd.h"

#include "platform/ui/ClientDC.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace {

struct KeyLine {
    std::string_view keys;
    std::string_view action;
};

constexpr std::string_view kKeyMapTitle = " 键盘操作 (按任意键或点击鼠标关闭本说明) ";
constexpr std::array<KeyLine, 6> kKeyLines { {
    { "空格  →  ↓  PageDown", "下一步 (同鼠标左键)" },
    { "Backspace  ←  ↑  PageUp", "上一步" },
    { "Home", "回到第一步" },
    { "Tab  Shift+Tab", "移到下一个 / 上一个显示器" },
    { "F1  ?", "显示或关闭本说明" },
    { "Esc  Enter  鼠标右键", "结束测试" },
} };

constexpr int kLineGap = 20;
constexpr int kPadding = 8;
// The keys column's width in half-width cells.
constexpr int kKeysCells = 26;

// Cells of fixed-pitch text: ASCII is one cell, everything else two.
int Cells(std::string_view text)
{
    int cells = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            cells += 1;
        else if ((c & 0xC0) != 0x80)
            cells += 2;
    }
    return cells;
}

std::string Line(const KeyLine& line)
{
    std::string text = "   ";
    text += line.keys;
    text.append(static_cast<std::size_t>(std::max(1, kKeysCells - Cells(line.keys))), ' ');
    text += line.action;
    text += ' ';
    return text;
}

}

void CTestWnd::DrawKeyMap()
{
    plat::Rect client;
    GetClientRect(&client);
    plat::ClientDC dc(this);
    dc.SelectObject(m_font);

    std::array<std::string, kKeyLines.size() + 1> lines;
    lines[0] = std::string(kKeyMapTitle);
    for (std::size_t i = 0; i < kKeyLines.size(); ++i)
        lines[i + 1] = Line(kKeyLines[i]);
    int width = 0;
    for (const std::string& line : lines)
        width = std::max(width, dc.GetTextExtent(line).cx);

    int boxWidth = width + 2 * kPadding;
    int boxHeight = static_cast<int>(lines.size()) * kLineGap + 2 * kPadding;
    int left = std::max(0, (client.Width() - boxWidth) / 2);
    int top = std::max(0, (client.Height() - boxHeight) / 2);
    plat::Rect box { left, top, left + boxWidth, top + boxHeight };
    dc.FillSolidRect(box, plat::RGB(0, 0, 0));
    dc.FillSolidRect({ box.left + 1, box.top + 1, box.right - 1, box.bottom - 1 }, plat::RGB(255, 255, 255));
    // The context's own colours, as the information lines have them.
    for (std::size_t i = 0; i < lines.size(); ++i)
        dc.TextOut(left + kPadding, top + kPadding + static_cast<int>(i) * kLineGap, lines[i]);
    m_bKeyMap = true;
}
