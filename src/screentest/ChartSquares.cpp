#include "screentest/ChartSquares.h"

namespace {

// Black-level chart: sixteen squares in one row, one side apart, a side
// being a fortieth of the width.
constexpr int kLevelSquares = 16;
constexpr int kLevelWidthsPerSide = 40;
// Gamma chart: five squares of an eighth of the width, a thirty-second apart.
constexpr int kGammaSquares = 5;
constexpr int kGammaWidthsPerSide = 8;
constexpr int kGammaWidthsPerGap = 32;

}

plat::Rect BlackLevelSquare(const plat::Rect& client, int i)
{
    const int side = client.Width() / kLevelWidthsPerSide;
    if (side <= 0)
        return {};
    const int left = (client.Width() - (2 * kLevelSquares - 1) * side) / 2;
    const int top = (client.Height() - side) / 2;
    const int x = left + 2 * i * side;
    return { x, top, x + side, top + side };
}

plat::Rect GammaChartSquare(const plat::Rect& client, int i)
{
    const int width = client.Width();
    const int side = width / kGammaWidthsPerSide;
    if (side <= 0)
        return {};
    const int gap = width / kGammaWidthsPerGap;
    const int left = (width - kGammaSquares * side - (kGammaSquares - 1) * gap) / 2;
    const int top = (client.Height() - side) / 2;
    const int x = left + i * (side + gap);
    return { x, top, x + side, top + side };
}
