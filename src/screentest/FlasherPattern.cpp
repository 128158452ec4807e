// The stuck-pixel flasher as a pattern: a warning on black first, in large
// centred lines; F, a key no pattern steps with, starts the flashing, so a
// step key pressed by habit never does. The pattern's timer drives it and
// any key or click stops it (back to the warning, which then says how many
// changes a second the run achieved). R limits it to a 128 x 128 square
// around the last mark, or the pointer when there is none. All of it lives
// in the pattern's hooks; the window only lends them its timer and input.

#include "platform/gfx/GdiConstants.h"
#include "platform/intl/Translate.h"
#include "platform/ui/Messages.h"
#include "screentest/Flasher.h"
#include "screentest/PatternHooks.h"
#include "screentest/PhotosensitivityWarning.h"
#include "screentest/StepFrame.h"
#include "screentest/TestKeyTable.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Ticks come faster than the fastest change, so every change is on time.
constexpr unsigned kFlashTickMs = 5;
constexpr int kSquare = 128;

constexpr unsigned kStartKey = 'F';
constexpr unsigned kSquareKey = 'R';

// Below the caution every such warning starts with.
constexpr std::array<std::string_view, 3> kWarning {
    plat::TranslateLater(" 按 F 键开始闪烁，Esc 键离开；闪烁时按任意键或点击鼠标即停止。 "),
    plat::TranslateLater(" 屏幕将依次显示红、绿、蓝、白、黑，每秒最多变化 60 次。 "),
    plat::TranslateLater(" R 键: 只在以最后一个标记 (或鼠标) 为中心的 128 x 128 区域内闪烁 "),
};
constexpr std::string_view kSquareOn = plat::TranslateLater(" (已开启) ");
constexpr std::string_view kSquareOff = plat::TranslateLater(" (已关闭) ");
constexpr std::string_view kAchieved = plat::TranslateLater(" 上次闪烁实际达到每秒 %d 次变化 ");
constexpr std::string_view kKeysRemark = plat::TranslateLater("  F 键开始闪烁，R 键只闪烁一块区域，右键退出 ");

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

    std::string_view KeysRemark() const override { return kKeysRemark; }

    void DrawOver(plat::DeviceContext& dc, const plat::Rect& client, const plat::Font&) override
    {
        std::vector<std::string> lines;
        lines.reserve(kWarning.size() + 1);
        for (std::string_view line : kWarning)
            lines.push_back(plat::Translate(line));
        lines.back() += plat::Translate(m_bSquare ? kSquareOn : kSquareOff);
        if (int rate = m_flasher.AchievedPerSecond(); rate > 0)
            lines.push_back(FormatRate(rate));
        m_warning.Draw(dc, client, lines);
    }

private:
    void Stop(PatternHost& host)
    {
        host.StopTimer();
        m_flasher.Stop();
        host.Redraw();
    }

    static std::string FormatRate(int rate)
    {
        const std::string format = plat::TranslateFormat(kAchieved);
        std::string line(format.size() + 16, '\0');
        const int n = std::snprintf(line.data(), line.size(), format.c_str(), rate);
        line.resize(n > 0 ? std::min(static_cast<std::size_t>(n), line.size() - 1) : 0);
        return line;
    }

    CFlasher m_flasher;
    bool m_bSquare = false; // flash only the square around m_ptCentre
    plat::Point m_ptCentre;
    CPhotosensitivityWarning m_warning;
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
    { kStartCodes, plat::TranslateLater("F (闪烁修复)"), TestAction::Pattern,
        plat::TranslateLater("开始闪烁; 闪烁时按任意键或点击鼠标停止") },
    { kSquareCodes, plat::TranslateLater("R (闪烁修复)"), TestAction::Pattern,
        plat::TranslateLater("只在最后一个标记 (或鼠标) 周围 128 x 128 的区域内闪烁 (开/关)") },
} };

StepDrawn DrawFlasher(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeBrush, FillBlack);
}

std::unique_ptr<PatternHooks> MakeFlasherHooks() { return std::make_unique<FlasherHooks>(); }
