#include "screentest/TestWnd.h"

#include "platform/intl/Translate.h"
#include "platform/ui/Monitors.h"
#include "screentest/MotionText.h"

#include <algorithm>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr int kInfoX = 100;
constexpr int kInfoY = 100;
constexpr int kInfoLineGap = 20;
constexpr std::string_view kClickRemark = plat::TranslateLater("  点击鼠标左键切换，右键退出 ");

}

void CTestWnd::DrawInfo(plat::DeviceContext* dc, plat::COLORREF color, long elapsed)
{
    if (!dc)
        return;
    // The context is released right after, so the previous font is not put back.
    dc->SelectObject(m_font);

    char rgb[8];
    (void)std::snprintf(rgb, sizeof rgb, "%02X%02X%02X", plat::GetRValue(color), plat::GetGValue(color), plat::GetBValue(color));
    // Built by concatenation: the title is the button's caption and may be any length.
    std::string step = " " + std::to_string(m_nStep) + ", " + m_strTitle + ", RGB(" + rgb + ")"
        + plat::Translate(m_hooks && !m_hooks->KeysRemark().empty() ? m_hooks->KeysRemark() : kClickRemark);
    std::string time = plat::Translate(" 处理用时: ") + std::to_string(elapsed) + plat::Translate(" 毫秒 ");

    dc->TextOut(kInfoX, kInfoY, step);
    dc->TextOut(kInfoX, kInfoY + kInfoLineGap, time);
    dc->TextOut(kInfoX, kInfoY + 2 * kInfoLineGap,
        plat::Translate(" 处理时间可用于测试显卡的性能, 时间越小性能越好, 处理用时与系统当前运行的程序也有关系 "));

    // Away from the primary screen a fourth line names the monitor: its
    // number counted from 1, its name (the EDID's when the monitor is
    // known there) and the size the pattern covers.
    plat::MonitorInfo monitor;
    if (m_nMonitor == 0 || !plat::GetMonitorInfo(m_nMonitor, &monitor))
        return;
    plat::Rect client;
    GetClientRect(&client);
    const std::string& name = m_strMonitorShown.empty() ? monitor.name : m_strMonitorShown;
    std::string line = plat::Translate(" 显示器 ") + std::to_string(m_nMonitor + 1) + ": " + name + ", "
        + std::to_string(client.Width()) + " x " + std::to_string(client.Height()) + " ";
    dc->TextOut(kInfoX, kInfoY + 3 * kInfoLineGap, line);
}

plat::Rect CTestWnd::DrawMotionInfo(plat::DeviceContext& dc, const MotionReading& reading)
{
    DrawInfo(&dc, m_pattern && m_pattern->Steps() > 0 ? m_pattern->colors[0] : 0, 0);
    // Below the lines DrawInfo drew: three, or four away from the primary screen.
    const int lines = m_nMonitor == 0 ? 3 : 4;
    const std::string line = " " + MotionLine(reading) + " ";
    const int y = kInfoY + lines * kInfoLineGap;
    dc.TextOut(kInfoX, y, line);
    // What the lines cover: the widest is one of the fixed ones or this.
    int width = dc.GetTextExtent(line).cx;
    width = std::max(width, dc.GetTextExtent(plat::Translate(" 处理时间可用于测试显卡的性能, 时间越小性能越好, 处理用时与系统当前运行的程序也有关系 ")).cx);
    return { kInfoX, kInfoY, kInfoX + width + kInfoX, y + kInfoLineGap };
}
