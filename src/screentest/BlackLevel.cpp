// The black-level and white-saturation pattern: sixteen squares in one row
// across the middle of the screen, one grey level apart, on black (greys 1
// to 16) and on white (greys 239 to 254). A monitor that crushes blacks or
// clips whites merges the first or last squares into the background. Each
// square carries its level in a grey 32 levels towards mid-grey, readable
// without drawing the eye, where the number fits in the square.

#include "platform/gfx/GdiConstants.h"
#include "screentest/ChartSquares.h"
#include "screentest/StepFrame.h"

#include <array>
#include <string>

namespace {

constexpr int kSquares = 16;
// The grey of the first square, per step.
constexpr std::array<int, 2> kFirstGrey { 1, 239 };
// How far the numbers' grey lies from their square's.
constexpr int kNumberContrast = 32;

}

StepDrawn DrawBlackLevel(const StepCanvas& canvas)
{
    const int step = canvas.step;
    const plat::Font& font = canvas.font;
    return DrawStepFrame(canvas, MakeNoTool,
        [step, &font](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF background, NoTool) {
            dc.FillSolidRect(client, background);
            const int side = BlackLevelSquare(client, 0).Width();
            if (side <= 0)
                return;
            for (int i = 0; i < kSquares; ++i) {
                const int grey = kFirstGrey[static_cast<std::size_t>(step)] + i;
                dc.FillSolidRect(BlackLevelSquare(client, i), plat::RGB(grey, grey, grey));
            }
            dc.SelectObject(font);
            const plat::Size widest = dc.GetTextExtent("254");
            if (widest.cx + 2 > side || widest.cy + 2 > side)
                return;
            // The information lines drawn next keep the context's own colours.
            const plat::BkMode mode = dc.SetBkMode(plat::TRANSPARENT);
            const plat::COLORREF ink = dc.GetTextColor();
            for (int i = 0; i < kSquares; ++i) {
                const int grey = kFirstGrey[static_cast<std::size_t>(step)] + i;
                const int number = grey < 128 ? grey + kNumberContrast : grey - kNumberContrast;
                dc.SetTextColor(plat::RGB(number, number, number));
                dc.DrawText(std::to_string(grey), BlackLevelSquare(client, i),
                    plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_NOPREFIX);
            }
            dc.SetTextColor(ink);
            dc.SetBkMode(mode);
        });
}
