// The dot fills: the whole client area, one SetPixel call per pixel,
// straight onto the window so the user watches the colour spread.

#include "screentest/TestWnd.h"

#include "platform/gfx/ProcessClock.h"
#include "platform/ui/ClientDC.h"
#include "screentest/DotSweep.h"
#include "screentest/TestColors.h"

void CTestWnd::DrawDotFillDown()
{
    const std::array colors = kTestColors;
    plat::COLORREF color = 0;
    if (!ColorAt(colors, m_nStep, &color))
        return;
    plat::Rect client;
    GetClientRect(&client);
    plat::ClientDC dc(this);

    long start = plat::ProcessClockMs();
    SweepRows(dc, client.right - client.left, client.bottom - client.top, color);
    long elapsed = plat::ProcessClockMs() - start;

    if (m_bShowInfo == 1)
        DrawInfo(&dc, color, elapsed);
}

void CTestWnd::DrawDotFillRight()
{
    const std::array colors = kTestColors;
    plat::COLORREF color = 0;
    if (!ColorAt(colors, m_nStep, &color))
        return;
    plat::Rect client;
    GetClientRect(&client);
    plat::ClientDC dc(this);

    long start = plat::ProcessClockMs();
    SweepColumns(dc, client.right - client.left, client.bottom - client.top, color);
    long elapsed = plat::ProcessClockMs() - start;

    if (m_bShowInfo == 1)
        DrawInfo(&dc, color, elapsed);
}
