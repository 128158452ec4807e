// The stuck-pixel flasher as a pattern: a warning on black first; Space
// starts the flashing, which the pattern's timer drives and any key or
// click stops (back to the warning). R limits it to a 128 x 128 square
// around the last mark, or the pointer when there is none. All of it lives
// in the pattern's hooks; the window only lends them its timer and input.

#include "platform/intl/Translate.h"
#include "platform/ui/Messages.h"
#include "screentest/Flasher.h"
#include "screentest/PatternHooks.h"
#include "screentest/StepFrame.h"
#include "screentest/TestKeyTable.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace {

// Ticks come faster than the fastest change, so every change is on time.
constexpr unsigned kFlashTickMs = 5;
constexpr int kSquare = 128;
constexpr int kLineGap = 20;
// The warning stays below the information lines and the marks' notice.
constexpr int kWarningMinTop = 200;

constexpr unsigned kStartKey = plat::VK_SPACE;
constexpr unsigned kSquareKey = 'R';

constexpr std::array<std::string_view, 4> kWarning {
    plat::TranslateLater(" 警告: 快速变化的颜色可能引发光敏性癫痫患者发作。 "),
    plat::TranslateLater(" 空格键开始，Esc 键离开；闪烁时按任意键或点击鼠标即停止。 "),
    plat::TranslateLater(" 屏幕将依次显示红、绿、蓝、白、黑。 "),
    plat::TranslateLater(" R 键: 只在以最后一个标记 (或鼠标) 为中心的 128 x 128 区域内闪烁 "),
};
constexpr std::string_view kSquareOn = plat::TranslateLater(" (已开启) ");
constexpr std::string_view kSquareOff = plat::TranslateLater(" (已关闭) ");

class FlasherHooks final : public PatternHooks {
public:
    bool OnKey(PatternHost& host, unsigned key) override
    {
        if (m_flasher.IsFlashing()) {
            Stop(host);
            return true;
        }
        if (key == kStartKey) {
            m_flasher.Start(host.Now());
            host.StartTimer(kFlashTickMs);
            host.Redraw();
            return true;
        }
        if (key == kSquareKey) {
            m_bSquare = !m_bSquare;
            m_ptCentre = host.Focus();
            host.Redraw();
            return true;
        }
        return false;
    }

    bool OnClick(PatternHost& host) override
    {
        if (!m_flasher.IsFlashing())
            return false;
        Stop(host);
        return true;
    }

    void OnTimer(PatternHost& host) override
    {
        if (m_flasher.Tick(host.Now()))
            host.Redraw();
    }

    bool DrawInstead(plat::DeviceContext& dc, const plat::Rect& client) override
    {
        if (!m_flasher.IsFlashing())
            return false;
        if (!m_bSquare) {
            dc.FillSolidRect(client, m_flasher.Color());
            return true;
        }
        plat::Rect square { m_ptCentre.x - kSquare / 2, m_ptCentre.y - kSquare / 2, m_ptCentre.x + kSquare / 2,
            m_ptCentre.y + kSquare / 2 };
        // Black around the square, in four bands, so the square itself only
        // ever changes from one colour to the next.
        dc.FillSolidRect({ client.left, client.top, client.right, square.top }, plat::RGB(0, 0, 0));
        dc.FillSolidRect({ client.left, square.bottom, client.right, client.bottom }, plat::RGB(0, 0, 0));
        dc.FillSolidRect({ client.left, square.top, square.left, square.bottom }, plat::RGB(0, 0, 0));
        dc.FillSolidRect({ square.right, square.top, client.right, square.bottom }, plat::RGB(0, 0, 0));
        dc.FillSolidRect(square, m_flasher.Color());
        return true;
    }

    void DrawOver(plat::DeviceContext& dc, const plat::Rect& client, const plat::Font& font) override
    {
        dc.SelectObject(font);
        const plat::COLORREF text = dc.SetTextColor(plat::RGB(255, 255, 255));
        const plat::COLORREF back = dc.SetBkColor(plat::RGB(0, 0, 0));
        std::array<std::string, kWarning.size()> lines;
        int widest = 0;
        for (std::size_t i = 0; i < kWarning.size(); ++i) {
            lines[i] = plat::Translate(kWarning[i]);
            widest = std::max(widest, dc.GetTextExtent(lines[i]).cx);
        }
        int left = std::max(0, (client.Width() - widest) / 2);
        int top = std::max(kWarningMinTop, (client.Height() - static_cast<int>(lines.size()) * kLineGap) / 2);
        for (std::size_t i = 0; i < lines.size(); ++i)
            dc.TextOut(left, top + static_cast<int>(i) * kLineGap, lines[i]);
        int last = top + static_cast<int>(lines.size() - 1) * kLineGap;
        dc.TextOut(left + dc.GetTextExtent(lines.back()).cx, last, plat::Translate(m_bSquare ? kSquareOn : kSquareOff));
        dc.SetTextColor(text);
        dc.SetBkColor(back);
    }

private:
    void Stop(PatternHost& host)
    {
        host.StopTimer();
        m_flasher.Stop();
        host.Redraw();
    }

    CFlasher m_flasher;
    bool m_bSquare = false; // flash only the square around m_ptCentre
    plat::Point m_ptCentre;
};

void FillBlack(plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF, const plat::Brush& brush)
{
    dc.FillRect(client, brush);
}

constexpr std::array<unsigned, 1> kStartCodes { kStartKey };
constexpr std::array<unsigned, 1> kSquareCodes { kSquareKey };

}

extern const std::array<KeyBinding, 2> kFlasherKeys;
constexpr std::array<KeyBinding, 2> kFlasherKeys { {
    { kStartCodes, plat::TranslateLater("空格 (闪烁修复)"), TestAction::Pattern, plat::TranslateLater("开始闪烁; 闪烁时任意键或点击停止") },
    { kSquareCodes, plat::TranslateLater("R (闪烁修复)"), TestAction::Pattern,
        plat::TranslateLater("只在最后一个标记 (或鼠标) 周围 128 x 128 区域内闪烁 (开/关)") },
} };

StepDrawn DrawFlasher(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeBrush, FillBlack);
}

std::unique_ptr<PatternHooks> MakeFlasherHooks() { return std::make_unique<FlasherHooks>(); }
