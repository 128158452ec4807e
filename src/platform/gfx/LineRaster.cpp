#include "platform/gfx/Raster.h"

#include "platform/gfx/PixelFill.h"

#include <algorithm>
#include <cstdlib>

namespace plat::raster {

namespace {

// Pixels [from, to) of one row. Callers must clip.
void Span(const Target& t, int y, int from, int to, std::uint32_t xrgb)
{
    FillPixels(t.pixels + static_cast<std::ptrdiff_t>(y) * t.pitch + from, static_cast<std::size_t>(to - from), xrgb);
}

// Pixels [from, to) of one column. Callers must clip.
void Column(const Target& t, int x, int from, int to, std::uint32_t xrgb)
{
    std::uint32_t* p = t.pixels + static_cast<std::ptrdiff_t>(from) * t.pitch + x;
    for (int n = to - from; n > 0; --n, p += t.pitch)
        *p = xrgb;
}

// The steps [first, last) of a run from `start` in direction `dir` (+1/-1)
// whose positions fall inside [lo, hi).
void StepsInside(long long start, int dir, int lo, int hi, long long& first, long long& last)
{
    if (dir > 0) {
        first = std::max(first, lo - start);
        last = std::min(last, hi - start);
    } else {
        first = std::max(first, start - hi + 1);
        last = std::min(last, start - lo + 1);
    }
}

}

void Line(const Target& t, FarPoint a, FarPoint b, std::uint32_t xrgb)
{
    const Rect& c = t.clip;
    if (c.IsEmpty() || a == b)
        return;

    // The end point is excluded, so a run in the negative direction covers (b, a].
    if (a.x == b.x) {
        if (a.x < c.left || a.x >= c.right)
            return;
        const long long from = std::max<long long>(a.y < b.y ? a.y : b.y + 1, c.top);
        const long long to = std::min<long long>(a.y < b.y ? b.y : a.y + 1, c.bottom);
        if (from < to)
            Column(t, static_cast<int>(a.x), static_cast<int>(from), static_cast<int>(to), xrgb);
        return;
    }
    if (a.y == b.y) {
        if (a.y < c.top || a.y >= c.bottom)
            return;
        const long long from = std::max<long long>(a.x < b.x ? a.x : b.x + 1, c.left);
        const long long to = std::min<long long>(a.x < b.x ? b.x : a.x + 1, c.right);
        if (from < to)
            Span(t, static_cast<int>(a.y), static_cast<int>(from), static_cast<int>(to), xrgb);
        return;
    }

    // Bresenham: step i moves one pixel along the major axis and
    // floor((2 i dMinor + dMajor) / (2 dMajor)) along the minor one.
    const long long dx = std::llabs(b.x - a.x);
    const long long dy = std::llabs(b.y - a.y);
    const int sx = b.x > a.x ? 1 : -1;
    const int sy = b.y > a.y ? 1 : -1;
    const bool xMajor = dx >= dy;
    const long long dMajor = xMajor ? dx : dy;
    const long long dMinor = xMajor ? dy : dx;
    const long long majorStart = xMajor ? a.x : a.y;
    const long long minorStart = xMajor ? a.y : a.x;
    const int majorDir = xMajor ? sx : sy;
    const int minorDir = xMajor ? sy : sx;
    const int minorLo = xMajor ? c.top : c.left;
    const int minorHi = xMajor ? c.bottom : c.right;

    long long first = 0;
    long long last = dMajor;
    StepsInside(majorStart, majorDir, xMajor ? c.left : c.top, xMajor ? c.right : c.bottom, first, last);
    if (first >= last)
        return;

    // Coordinates stay within 2^33 of each other, so only this product needs more than 64 bits.
    const long long denominator = 2 * dMajor;
    const __int128 start = static_cast<__int128>(2 * first) * dMinor + dMajor;
    long long minor = minorStart + minorDir * static_cast<long long>(start / denominator);
    long long numerator = static_cast<long long>(start % denominator);
    long long major = majorStart + majorDir * first;
    for (long long i = first; i < last; ++i) {
        if (minor >= minorLo && minor < minorHi) {
            const long long x = xMajor ? major : minor;
            const long long y = xMajor ? minor : major;
            t.pixels[y * t.pitch + x] = xrgb;
        } else if ((minorDir > 0) == (minor >= minorHi)) {
            break; // moving further away from the clip
        }
        major += majorDir;
        numerator += 2 * dMinor;
        if (numerator >= denominator) {
            numerator -= denominator;
            minor += minorDir;
        }
    }
}

}
