// The gamma chart: a background of one-pixel rows alternating full and
// zero, which the eye averages to half the light, and five solid squares
// at the levels that give half the light at gammas 1.8 to 2.6
// (255 * 0.5^(1/gamma), rounded). The square that melts into the
// background, seen from a few steps away, names the monitor's gamma. The
// steps show it in grey, then in red, green and blue alone.

#include "screentest/ChartSquares.h"
#include "screentest/PixelTile.h"
#include "screentest/StepFrame.h"

#include <array>
#include <string_view>

namespace {

struct GammaSquare {
    int level;
    std::string_view label;
};

constexpr std::array<GammaSquare, 5> kGammaSquares { {
    { 174, "γ = 1.8" },
    { 180, "γ = 2.0" },
    { 186, "γ = 2.2" },
    { 191, "γ = 2.4" },
    { 195, "γ = 2.6" },
} };

// From a square's bottom edge to its label.
constexpr int kLabelGap = 8;

// `level` in the channels that are 255 in `full`, 0 in the others.
plat::COLORREF InChannels(plat::COLORREF full, int level)
{
    return plat::RGB(plat::GetRValue(full) ? level : 0, plat::GetGValue(full) ? level : 0,
        plat::GetBValue(full) ? level : 0);
}

}

StepDrawn DrawGamma(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeNoTool,
        [&canvas](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF full, NoTool) {
            const int width = client.Width();
            const int height = client.Height();
            const plat::COLORREF black = plat::RGB(0, 0, 0);
            FillTiled(dc, width, height, [full, black](int, int y) { return y % 2 == 0 ? full : black; });

            if (GammaChartSquare(client, 0).IsEmpty())
                return;
            const int count = static_cast<int>(kGammaSquares.size());
            // The labels in the step's colour on black; the information
            // lines that may follow keep the context's own colours.
            dc.SelectObject(canvas.font);
            const plat::COLORREF text = dc.SetTextColor(full);
            const plat::COLORREF back = dc.SetBkColor(black);
            for (int i = 0; i < count; ++i) {
                const GammaSquare& square = kGammaSquares[static_cast<std::size_t>(i)];
                const plat::Rect at = GammaChartSquare(client, i);
                dc.FillSolidRect(at, InChannels(full, square.level));
                const int labelWidth = dc.GetTextExtent(square.label).cx;
                dc.TextOut(at.left + (at.Width() - labelWidth) / 2, at.bottom + kLabelGap, square.label);
            }
            dc.SetTextColor(text);
            dc.SetBkColor(back);
        });
}
