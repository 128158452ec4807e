// The stuck-pixel flasher as a pattern: a warning on black first; Space
// starts the flashing, which the window's timer drives and any key or
// click stops (back to the warning). R limits it to a 128 x 128 square
// around the last mark, or the pointer when there is none.

#include "screentest/TestWnd.h"

#include "platform/gfx/GdiConstants.h"
#include "platform/intl/Translate.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Messages.h"
#include "screentest/StepFrame.h"
#include "screentest/TestModes.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace {

constexpr std::uintptr_t kFlashTimer = 24;
// Ticks come faster than the fastest change, so every change is on time.
constexpr unsigned kFlashTickMs = 5;
constexpr int kSquare = 128;
constexpr int kLineGap = 20;
// The warning stays below the information lines and the marks' notice.
constexpr int kWarningMinTop = 200;

constexpr std::array<std::string_view, 4> kWarning {
    plat::TranslateLater(" 警告: 快速变化的颜色可能引发光敏性癫痫患者发作。 "),
    plat::TranslateLater(" 空格键开始，Esc 键离开；闪烁时按任意键或点击鼠标即停止。 "),
    plat::TranslateLater(" 屏幕将依次显示红、绿、蓝、白、黑。 "),
    plat::TranslateLater(" R 键: 只在以最后一个标记 (或鼠标) 为中心的 128 x 128 区域内闪烁 "),
};
constexpr std::string_view kSquareOn = plat::TranslateLater(" (已开启) ");
constexpr std::string_view kSquareOff = plat::TranslateLater(" (已关闭) ");

void FillBlack(plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF, const plat::Brush& brush)
{
    dc.FillRect(client, brush);
}

}

void CTestWnd::DrawFlasher()
{
    if (m_flasher.IsFlashing()) {
        DrawFlash();
        return;
    }
    DrawStepFrame(*this, kFlasherColors, MakeBrush, FillBlack);

    plat::Rect client;
    GetClientRect(&client);
    plat::ClientDC dc(this);
    dc.SelectObject(m_font);
    dc.SetTextColor(plat::RGB(255, 255, 255));
    dc.SetBkColor(plat::RGB(0, 0, 0));
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
    dc.TextOut(left + dc.GetTextExtent(lines.back()).cx, last, plat::Translate(m_bFlashSquare ? kSquareOn : kSquareOff));
}

void CTestWnd::DrawFlash()
{
    plat::Rect client;
    GetClientRect(&client);
    plat::ClientDC dc(this);
    if (!m_bFlashSquare) {
        dc.FillSolidRect(client, m_flasher.Color());
        return;
    }
    plat::Rect square { m_ptFlashCentre.x - kSquare / 2, m_ptFlashCentre.y - kSquare / 2,
        m_ptFlashCentre.x + kSquare / 2, m_ptFlashCentre.y + kSquare / 2 };
    // Black around the square, in four bands, so the square itself only
    // ever changes from one colour to the next.
    dc.FillSolidRect({ client.left, client.top, client.right, square.top }, plat::RGB(0, 0, 0));
    dc.FillSolidRect({ client.left, square.bottom, client.right, client.bottom }, plat::RGB(0, 0, 0));
    dc.FillSolidRect({ client.left, square.top, square.left, square.bottom }, plat::RGB(0, 0, 0));
    dc.FillSolidRect({ square.right, square.top, client.right, square.bottom }, plat::RGB(0, 0, 0));
    dc.FillSolidRect(square, m_flasher.Color());
}

bool CTestWnd::FlasherKey(unsigned key)
{
    if (m_nMode != kModeFlasher)
        return false;
    if (m_flasher.IsFlashing()) {
        StopFlashing();
        return true;
    }
    if (key == plat::VK_SPACE) {
        m_flasher.Start(m_clock());
        SetTimer(kFlashTimer, kFlashTickMs);
        DrawFlash();
        return true;
    }
    if (key == 'R') {
        m_bFlashSquare = !m_bFlashSquare;
        const CDefectMarks* marks = CurrentMarks(false);
        m_ptFlashCentre = marks && !marks->IsEmpty() ? marks->All().back().at : PointerPixel();
        DrawPattern();
        return true;
    }
    return false;
}

bool CTestWnd::FlasherClick()
{
    if (!m_flasher.IsFlashing())
        return false;
    StopFlashing();
    return true;
}

void CTestWnd::StopFlashing()
{
    KillTimer(kFlashTimer);
    m_flasher.Stop();
    DrawPattern();
}

void CTestWnd::OnTimer(std::uintptr_t id)
{
    if (id == kFlashTimer && m_flasher.Tick(m_clock()))
        DrawFlash();
}
