#pragma once

// The frame every renderer shares. The renderer names its colour table, the
// tool it draws with and its drawing loop; the frame does the rest in a fixed
// order: the step's colour from the table (nothing is drawn for a step
// outside it), the client rect, a client-area context of its own, the
// tool, the clock around the drawing alone, a copy of the pattern when an
// overlay will be drawn over it, the information lines when m_bShowInfo is
// 1, the overlays (marks, loupe), and the tool deleted last. Making the
// tool before the clock starts keeps it out of the elapsed time.

#include "platform/gfx/ProcessClock.h"
#include "platform/ui/ClientDC.h"
#include "screentest/TestColors.h"
#include "screentest/TestWnd.h"

#include <span>

// The tools a frame can make from the step's colour.
struct NoTool {
    bool DeleteObject() { return true; }
};

inline NoTool MakeNoTool(plat::DeviceContext&, plat::COLORREF) { return {}; }

inline plat::Brush MakeBrush(plat::DeviceContext&, plat::COLORREF color) { return plat::Brush(color); }

// A solid pen, selected into the context.
inline plat::Pen MakeSelectedPen(plat::DeviceContext& dc, plat::COLORREF color)
{
    plat::Pen pen(plat::PS_SOLID, 1, color);
    dc.SelectObject(pen);
    return pen;
}

// draw(dc, client, color, tool) is called with the clock running.
template <class MakeTool, class Draw>
void DrawStepFrame(CTestWnd& wnd, std::span<const plat::COLORREF> colors, MakeTool makeTool, Draw draw)
{
    plat::COLORREF color = 0;
    if (!ColorAt(colors, wnd.m_nStep, &color))
        return;
    plat::Rect client;
    wnd.GetClientRect(&client);
    plat::ClientDC dc(&wnd);
    auto tool = makeTool(dc, color);

    long start = plat::ProcessClockMs();
    draw(dc, client, color, tool);
    long elapsed = plat::ProcessClockMs() - start;

    wnd.KeepPatternPicture(dc, color, elapsed);
    if (wnd.m_bShowInfo == 1)
        wnd.DrawInfo(&dc, color, elapsed);
    wnd.DrawOverlays(dc);
    tool.DeleteObject();
}
