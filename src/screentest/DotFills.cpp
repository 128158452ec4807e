// The dot fills: the whole client area, one SetPixel call per pixel,
// straight onto the window so the user watches the colour spread.

#include "screentest/DotSweep.h"
#include "screentest/StepFrame.h"

StepDrawn DrawDotFillDown(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeNoTool,
        [](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF color, NoTool) {
            SweepRows(dc, client.Width(), client.Height(), color);
        });
}

StepDrawn DrawDotFillRight(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeNoTool,
        [](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF color, NoTool) {
            SweepColumns(dc, client.Width(), client.Height(), color);
        });
}
