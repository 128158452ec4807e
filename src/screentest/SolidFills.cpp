// The solid fills: one rectangle fill, one vertical line per column or one
// horizontal line per row, all in the step's colour. The pictures are the
// same; only the primitive, and so the measured time, differs.

#include "screentest/TestWnd.h"

#include "platform/gfx/ProcessClock.h"
#include "platform/ui/ClientDC.h"
#include "screentest/TestColors.h"

namespace {

// One FillRect of the whole client area in the step's colour of `table`.
template <std::size_t N>
void BlockFill(CTestWnd& wnd, const std::array<plat::COLORREF, N>& table)
{
    const std::array<plat::COLORREF, N> colors = table;
    plat::COLORREF color = 0;
    if (!ColorAt(colors, wnd.m_nStep, &color))
        return;
    plat::Rect client;
    wnd.GetClientRect(&client);
    plat::ClientDC dc(&wnd);
    plat::Brush brush(color);

    long start = plat::ProcessClockMs();
    dc.FillRect(client, brush);
    long elapsed = plat::ProcessClockMs() - start;

    if (wnd.m_bShowInfo == 1)
        wnd.DrawInfo(&dc, color, elapsed);
    brush.DeleteObject();
}

}

void CTestWnd::DrawBlockFill()
{
    BlockFill(*this, kTestColors);
}

void CTestWnd::DrawDeadPixel()
{
    BlockFill(*this, kDeadPixelColors);
}

void CTestWnd::DrawVLineFill()
{
    const std::array colors = kTestColors;
    plat::COLORREF color = 0;
    if (!ColorAt(colors, m_nStep, &color))
        return;
    plat::Rect client;
    GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    plat::ClientDC dc(this);
    plat::Pen pen(plat::PS_SOLID, 1, color);
    dc.SelectObject(pen);

    long start = plat::ProcessClockMs();
    for (int x = 0; x < width; ++x) {
        dc.MoveTo(x, 0);
        dc.LineTo(x, height);
    }
    long elapsed = plat::ProcessClockMs() - start;

    if (m_bShowInfo == 1)
        DrawInfo(&dc, color, elapsed);
    pen.DeleteObject();
}

void CTestWnd::DrawHLineFill()
{
    const std::array colors = kTestColors;
    plat::COLORREF color = 0;
    if (!ColorAt(colors, m_nStep, &color))
        return;
    plat::Rect client;
    GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    plat::ClientDC dc(this);
    plat::Pen pen(plat::PS_SOLID, 1, color);
    dc.SelectObject(pen);

    long start = plat::ProcessClockMs();
    for (int y = 0; y < height; ++y) {
        dc.MoveTo(0, y);
        dc.LineTo(width, y);
    }
    long elapsed = plat::ProcessClockMs() - start;

    if (m_bShowInfo == 1)
        DrawInfo(&dc, color, elapsed);
    pen.DeleteObject();
}
