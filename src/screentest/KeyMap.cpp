// The key map: what each key of the test window (and of the shown
// pattern) does, from the key table, in the information lines' font and
// colours, in a framed box in the middle of the screen
// (from its top-left corner when the screen is smaller than the box).

#include "screentest/TestWnd.h"

#include "platform/intl/Translate.h"
#include "platform/ui/ClientDC.h"
#include "screentest/Patterns.h"
#include "screentest/TestKeyTable.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view kKeyMapTitle = plat::TranslateLater(" 键盘操作 (按任意键或点击鼠标关闭本说明) ");

constexpr int kLineGap = 20;
constexpr int kPadding = 8;
// Indent of the key lines under the title, and the gap between the columns.
constexpr int kIndent = 16;
constexpr int kColumnGap = 24;

}

void CTestWnd::DrawKeyMap()
{
    // While a moving pattern's frames run the presenter shows the window:
    // the map would never be seen, and the next key would only close it.
    if (m_motion)
        return;
    // The pattern is kept before the map covers it.
    TakePatternPicture();
    plat::Rect client;
    GetClientRect(&client);
    plat::ClientDC dc(this);
    dc.SelectObject(m_font);

    // The columns line up by measured width: arrows and CJK are not
    // always two half-width cells.
    std::string title = plat::Translate(kKeyMapTitle);
    std::vector<std::pair<std::string, std::string>> lines;
    int keysWidth = 0, actionsWidth = 0;
    auto add = [&](const KeyBinding& binding) {
        lines.emplace_back(plat::Translate(binding.keys), plat::Translate(binding.description));
        keysWidth = std::max(keysWidth, dc.GetTextExtent(lines.back().first).cx);
        actionsWidth = std::max(actionsWidth, dc.GetTextExtent(lines.back().second).cx);
    };
    for (const KeyBinding& binding : TestKeys())
        add(binding);
    // The shown pattern's own keys after the window's.
    if (m_pattern)
        for (const KeyBinding& binding : m_pattern->keys)
            add(binding);
    int width = std::max(dc.GetTextExtent(title).cx, kIndent + keysWidth + kColumnGap + actionsWidth);
    int boxWidth = width + 2 * kPadding;
    int boxHeight = static_cast<int>(lines.size() + 1) * kLineGap + 2 * kPadding;
    int left = std::max(0, (client.Width() - boxWidth) / 2);
    int top = std::max(0, (client.Height() - boxHeight) / 2);
    plat::Rect box { left, top, left + boxWidth, top + boxHeight };
    dc.FillSolidRect(box, plat::RGB(0, 0, 0));
    dc.FillSolidRect({ box.left + 1, box.top + 1, box.right - 1, box.bottom - 1 }, plat::RGB(255, 255, 255));
    // The context's own colours, as the information lines have them.
    int x = left + kPadding;
    int y = top + kPadding;
    dc.TextOut(x, y, title);
    for (const auto& [keys, action] : lines) {
        y += kLineGap;
        dc.TextOut(x + kIndent, y, keys);
        dc.TextOut(x + kIndent + keysWidth + kColumnGap, y, action);
    }
    m_bKeyMap = true;
}
