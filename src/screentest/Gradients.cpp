// The gradients: one line per column or row, each in the ramp's next colour
// with a pen of its own. Making, selecting and deleting each line's pen is
// part of what the elapsed time measures, so it stays inside the timed loop.

#include "screentest/GradientRamp.h"
#include "screentest/StepFrame.h"

namespace {

// The gradient of the canvas's step: `count(width, height)` lines, line i
// from startOf(i, width, height) to endOf(i, width, height).
template <class Count, class StartOf, class EndOf>
StepDrawn DrawGradient(const StepCanvas& canvas, Count count, StartOf startOf, EndOf endOf)
{
    const std::array changes = kGradientSteps;
    plat::COLORREF change = 0;
    if (!ColorAt(changes, canvas.step, &change))
        return {};
    return DrawStepFrame(canvas, MakeNoTool,
        [&](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF base, NoTool) {
            int width = client.Width();
            int height = client.Height();
            CGradientRamp ramp(base, change);
            for (int i = 0, lines = count(width, height); i < lines; ++i) {
                plat::Pen pen(plat::PS_SOLID, 1, ramp.NextLine());
                dc.SelectObject(pen);
                dc.MoveTo(startOf(i, width, height));
                dc.LineTo(endOf(i, width, height));
                pen.DeleteObject();
            }
        });
}

}

StepDrawn DrawVLineGradient(const StepCanvas& canvas)
{
    return DrawGradient(
        canvas,
        [](int width, int) { return width; },
        [](int i, int, int) { return plat::Point { i, 0 }; },
        [](int i, int, int height) { return plat::Point { i, height }; });
}

StepDrawn DrawHLineGradient(const StepCanvas& canvas)
{
    return DrawGradient(
        canvas,
        [](int, int height) { return height; },
        [](int i, int, int) { return plat::Point { 0, i }; },
        [](int i, int width, int) { return plat::Point { width, i }; });
}
