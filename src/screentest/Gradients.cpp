// The gradients: one line per column or row, each in the ramp's next colour
// with a pen of its own. Making, selecting and deleting each line's pen is
// part of what the elapsed time measures, so it stays inside the timed loop.

#include "screentest/TestWnd.h"

#include "platform/gfx/ProcessClock.h"
#include "platform/ui/ClientDC.h"
#include "screentest/GradientRamp.h"
#include "screentest/TestColors.h"

namespace {

// Draws line i of `count` from start(i) to end(i) through `dc`, timed.
template <class StartOf, class EndOf>
long DrawRamp(plat::DeviceContext& dc, plat::COLORREF base, plat::COLORREF change, int count, StartOf startOf, EndOf endOf)
{
    long start = plat::ProcessClockMs();
    CGradientRamp ramp(base, change);
    for (int i = 0; i < count; ++i) {
        plat::Pen pen(plat::PS_SOLID, 1, ramp.NextLine());
        dc.SelectObject(pen);
        dc.MoveTo(startOf(i));
        dc.LineTo(endOf(i));
        pen.DeleteObject();
    }
    return plat::ProcessClockMs() - start;
}

}

void CTestWnd::DrawVLineGradient()
{
    const std::array colors = kTestColors;
    const std::array changes = kGradientSteps;
    plat::COLORREF base = 0;
    plat::COLORREF change = 0;
    if (!ColorAt(colors, m_nStep, &base) || !ColorAt(changes, m_nStep, &change))
        return;
    plat::Rect client;
    GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    plat::ClientDC dc(this);

    long elapsed = DrawRamp(dc, base, change, width,
        [](int i) { return plat::Point { i, 0 }; },
        [height](int i) { return plat::Point { i, height }; });

    if (m_bShowInfo == 1)
        DrawInfo(&dc, base, elapsed);
}

void CTestWnd::DrawHLineGradient()
{
    const std::array colors = kTestColors;
    const std::array changes = kGradientSteps;
    plat::COLORREF base = 0;
    plat::COLORREF change = 0;
    if (!ColorAt(colors, m_nStep, &base) || !ColorAt(changes, m_nStep, &change))
        return;
    plat::Rect client;
    GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    plat::ClientDC dc(this);

    long elapsed = DrawRamp(dc, base, change, height,
        [](int i) { return plat::Point { 0, i }; },
        [width](int i) { return plat::Point { width, i }; });

    if (m_bShowInfo == 1)
        DrawInfo(&dc, base, elapsed);
}
