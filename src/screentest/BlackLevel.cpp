// The black-level and white-saturation pattern: sixteen squares in one row
// across the middle of the screen, one grey level apart, on black (greys 1
// to 16) and on white (greys 239 to 254). A monitor that crushes blacks or
// clips whites merges the first or last squares into the background.

#include "screentest/StepFrame.h"

#include <array>

namespace {

constexpr int kSquares = 16;
// Screen widths per square side; the gap between squares is one side.
constexpr int kWidthsPerSide = 40;
// The grey of the first square, per step.
constexpr std::array<int, 2> kFirstGrey { 1, 239 };

}

StepDrawn DrawBlackLevel(const StepCanvas& canvas)
{
    const int step = canvas.step;
    return DrawStepFrame(canvas, MakeNoTool,
        [step](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF background, NoTool) {
            dc.FillSolidRect(client, background);
            const int side = client.Width() / kWidthsPerSide;
            if (side <= 0)
                return;
            const int left = (client.Width() - (2 * kSquares - 1) * side) / 2;
            const int top = (client.Height() - side) / 2;
            for (int i = 0; i < kSquares; ++i) {
                const int grey = kFirstGrey[static_cast<std::size_t>(step)] + i;
                const int x = left + 2 * i * side;
                dc.FillSolidRect({ x, top, x + side, top + side }, plat::RGB(grey, grey, grey));
            }
        });
}
