#include "platform/gfx/Raster.h"

#include "platform/gfx/PixelFill.h"

#include <algorithm>
#include <vector>

namespace plat::raster {

namespace {

// For each row offset dy = 0 … ry above a corner ellipse's centre, the
// smallest and largest horizontal offset of the arc's pixels, from the
// midpoint ellipse with radii rx, ry.
struct Arc {
    std::vector<int> innerDx;
    std::vector<int> outerDx;
};

Arc QuarterArc(int rx, int ry)
{
    Arc arc { std::vector<int>(ry + 1, rx + 1), std::vector<int>(ry + 1, -1) };
    auto plot = [&arc](long long x, long long y) {
        arc.innerDx[y] = std::min(arc.innerDx[y], static_cast<int>(x));
        arc.outerDx[y] = std::max(arc.outerDx[y], static_cast<int>(x));
    };
    const long long a2 = static_cast<long long>(rx) * rx;
    const long long b2 = static_cast<long long>(ry) * ry;
    long long x = 0;
    long long y = ry;
    // Decision values scaled by 4 to stay in integers.
    long long d = 4 * b2 - 4 * a2 * ry + a2;
    while (b2 * x < a2 * y) {
        plot(x, y);
        if (d >= 0) {
            --y;
            d += 4 * a2 * (-2 * y);
        }
        ++x;
        d += 4 * b2 * (2 * x + 1);
    }
    d = b2 * (2 * x + 1) * (2 * x + 1) + 4 * a2 * (y - 1) * (y - 1) - 4 * a2 * b2;
    while (y >= 0) {
        plot(x, y);
        if (d <= 0) {
            ++x;
            d += 4 * b2 * (2 * x);
        }
        --y;
        d += 4 * a2 * (-2 * y + 1);
    }
    return arc;
}

// Pixels [from, to] of a row, clipped to the clip's columns. The outline's
// runs of a pixel or two are written here: a call would cost more than they do.
[[gnu::always_inline]] inline void Run(std::uint32_t* row, const Rect& clip, int from, int to, std::uint32_t xrgb)
{
    from = std::max(from, clip.left);
    to = std::min(to, clip.right - 1);
    if (from > to)
        return;
    if (to - from < 8) {
        for (int x = from; x <= to; ++x)
            row[x] = xrgb;
        return;
    }
    FillPixels(row + from, static_cast<std::size_t>(to - from) + 1, xrgb);
}

}

void RoundRect(const Target& t, Rect r, int ellipseWidth, int ellipseHeight, const std::uint32_t* pen,
    std::uint32_t brush)
{
    if (r.IsEmpty() || r.Intersected(t.clip).IsEmpty())
        return;
    // The outline's own box, inclusive: one pixel inside right and bottom.
    const int x0 = r.left;
    const int x1 = r.right - 1;
    const int y0 = r.top;
    const int y1 = r.bottom - 1;
    // Corners larger than any surface look the same at any larger size; the
    // cap keeps the arc's table small and its arithmetic within 64 bits.
    constexpr int kLargestEllipse = 32768;
    int rx = (std::clamp(ellipseWidth, 1, std::min(r.Width(), kLargestEllipse)) - 1) / 2;
    int ry = (std::clamp(ellipseHeight, 1, std::min(r.Height(), kLargestEllipse)) - 1) / 2;
    if (rx == 0)
        ry = 0; // a flat ellipse gives square corners
    if (ry == 0)
        rx = 0;
    // Widgets draw the same corners over and over: keep the last arc.
    thread_local int lastRx = -1;
    thread_local int lastRy = -1;
    thread_local Arc lastArc;
    if (rx != lastRx || ry != lastRy) {
        lastArc = QuarterArc(rx, ry);
        lastRx = rx;
        lastRy = ry;
    }
    const int* innerDx = lastArc.innerDx.data();
    const int* outerDx = lastArc.outerDx.data();
    const int leftCentre = x0 + rx;
    const int rightCentre = x1 - rx;

    auto outline = [&](std::uint32_t* row, int from, int to) {
        if (pen)
            Run(row, t.clip, from, to, *pen);
    };
    auto sides = [&](std::uint32_t* row, int inner, int outer) {
        outline(row, leftCentre - outer, leftCentre - inner);
        outline(row, rightCentre + inner, rightCentre + outer);
        Run(row, t.clip, leftCentre - inner + 1, rightCentre + inner - 1, brush);
    };
    const int yFrom = std::max(y0, t.clip.top);
    const int yTo = std::min(y1, t.clip.bottom - 1);
    // Between the corners every row is the same: both sides and the interior.
    const int straightFrom = std::max(yFrom, y0 + std::max(ry, 1));
    const int straightTo = std::min(yTo, y1 - std::max(ry, 1));
    for (int y = yFrom; y <= yTo; ++y) {
        std::uint32_t* row = t.pixels + static_cast<std::ptrdiff_t>(y) * t.pitch;
        if (y == straightFrom) {
            for (; y <= straightTo; ++y, row += t.pitch)
                sides(row, innerDx[0], outerDx[0]);
            if (y > yTo)
                break;
        }
        const int dy = y - y0 < ry ? ry - (y - y0) : (y1 - y < ry ? ry - (y1 - y) : 0);
        const int inner = innerDx[dy];
        const int outer = outerDx[dy];
        if (dy == ry && ry > 0) {
            outline(row, leftCentre - outer, rightCentre + outer);
            continue;
        }
        if (y0 == y1 || (ry == 0 && (y == y0 || y == y1))) {
            outline(row, x0, x1);
            continue;
        }
        sides(row, inner, outer);
    }
}

}
