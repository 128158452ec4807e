#pragma once

// The frame every renderer shares. The renderer names the tool it draws
// with and its drawing loop; the frame does the rest in a fixed order: the
// step's colour from the row's colours (nothing is drawn for a step outside
// them), the tool, the clock around the drawing alone, and the tool
// deleted. Making the tool before the clock starts keeps it out of the
// elapsed time. The window keeps the picture and draws the information
// lines and overlays after.

#include "platform/gfx/ProcessClock.h"
#include "screentest/StepCanvas.h"
#include "screentest/TestColors.h"

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
StepDrawn DrawStepFrame(const StepCanvas& canvas, MakeTool makeTool, Draw draw)
{
    plat::COLORREF color = 0;
    if (!ColorAt(canvas.colors, canvas.step, &color))
        return {};
    plat::DeviceContext& dc = canvas.dc;
    auto tool = makeTool(dc, color);

    long start = plat::ProcessClockMs();
    draw(dc, canvas.area, color, tool);
    long elapsed = plat::ProcessClockMs() - start;

    tool.DeleteObject();
    return { true, color, elapsed };
}
