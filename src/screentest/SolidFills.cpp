// The solid fills: one rectangle fill, one vertical line per column or one
// horizontal line per row, all in the step's colour. The pictures are the
// same; only the primitive, and so the measured time, differs. The grey
// pattern is a rectangle fill with greys of its own.

#include "screentest/StepFrame.h"

namespace {

// One FillRect of the whole client area.
void FillClient(plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF, const plat::Brush& brush)
{
    dc.FillRect(client, brush);
}

}

StepDrawn DrawBlockFill(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeBrush, FillClient);
}

StepDrawn DrawDeadPixel(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeBrush, FillClient);
}

StepDrawn DrawGrey(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeBrush, FillClient);
}

StepDrawn DrawVLineFill(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeSelectedPen,
        [](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF, const plat::Pen&) {
            int width = client.Width();
            int height = client.Height();
            for (int x = 0; x < width; ++x) {
                dc.MoveTo(x, 0);
                dc.LineTo(x, height);
            }
        });
}

StepDrawn DrawHLineFill(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeSelectedPen,
        [](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF, const plat::Pen&) {
            int width = client.Width();
            int height = client.Height();
            for (int y = 0; y < height; ++y) {
                dc.MoveTo(0, y);
                dc.LineTo(width, y);
            }
        });
}
