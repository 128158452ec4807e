// The dot fills: the whole client area, one SetPixel call per pixel,
// straight onto the window so the user watches the colour spread.

#include "screentest/TestWnd.h"

#include "screentest/DotSweep.h"
#include "screentest/StepFrame.h"

void CTestWnd::DrawDotFillDown()
{
    DrawStepFrame(*this, kTestColors, MakeNoTool,
        [](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF color, NoTool) {
            SweepRows(dc, client.Width(), client.Height(), color);
        });
}

void CTestWnd::DrawDotFillRight()
{
    DrawStepFrame(*this, kTestColors, MakeNoTool,
        [](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF color, NoTool) {
            SweepColumns(dc, client.Width(), client.Height(), color);
        });
}
