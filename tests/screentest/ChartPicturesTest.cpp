// The charts (grey, black level, gamma, sharpness, grid) read back from the
// window's back buffer and held against the charts' geometry written out
// here on its own: every edge pixel, the first and last pixels of every
// square and the pixels just outside them, points on the circle, and
// random points, on common screens and at the sizes' extremes. The text of
// the labels, the sample sentences and the squares' numbers is not
// compared, only that the numbers are there.

#include "TestWndSupport.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>

using namespace sttest;

namespace {

std::uint32_t Grey(int level)
{
    return static_cast<std::uint32_t>(level * 0x010101);
}

struct Squares {
    int side = 0;
    int pitch = 0; // from one square's left edge to the next one's
    int count = 0;
    int left = 0;
    int top = 0;

    // The square holding (x, y), or -1.
    int At(int x, int y) const
    {
        if (side <= 0 || y < top || y >= top + side || x < left)
            return -1;
        int i = (x - left) / pitch;
        return i < count && (x - left) % pitch < side ? i : -1;
    }
};

// 16 squares of side W/40, a side apart; 5 squares of side W/8, W/32 apart.
Squares BlackLevelSquares(int w, int h)
{
    int s = w / 40;
    return { s, 2 * s, 16, (w - 31 * s) / 2, (h - s) / 2 };
}

Squares GammaSquares(int w, int h)
{
    int s = w / 8, g = w / 32;
    return { s, s + g, 5, (w - 5 * s - 4 * g) / 2, (h - s) / 2 };
}

// The chart's pixel at (x, y) as 0xRRGGBB; nothing where text may be.
std::optional<std::uint32_t> Expected(const Pattern* mode, int step, int w, int h, int x, int y)
{
    const std::uint32_t white = 0xFFFFFF, black = 0;
    if (mode == kGrey) {
        const int greys[] = { 13, 26, 64, 128, 191, 0 };
        return Grey(greys[step]);
    }
    if (mode == kBlackLevel) {
        Squares squares = BlackLevelSquares(w, h);
        int i = squares.At(x, y);
        // The square's edge; its number may lie anywhere inside.
        if (i >= 0) {
            int across = (x - squares.left) % squares.pitch, down = y - squares.top, last = squares.side - 1;
            if (across != 0 && across != last && down != 0 && down != last)
                return std::nullopt;
            return Grey((step == 0 ? 1 : 239) + i);
        }
        return step == 0 ? black : white;
    }
    if (mode == kGamma) {
        const std::uint32_t channels[] = { 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF };
        const int levels[] = { 174, 180, 186, 191, 195 };
        Squares squares = GammaSquares(w, h);
        int i = squares.At(x, y);
        if (i >= 0)
            return Grey(levels[i]) & channels[step];
        // The labels' band under the squares.
        if (squares.side > 0 && y >= squares.top + squares.side && y < squares.top + squares.side + 8 + 16)
            return std::nullopt;
        return y % 2 == 0 ? channels[step] : black;
    }
    if (mode == kSharpness) {
        if (step == 0)
            return (x + y) % 2 == 0 ? white : black;
        if (step == 1)
            return x % 2 == 0 ? white : black;
        if (step == 2)
            return y % 2 == 0 ? white : black;
        // Four lines of 9, 12, 16 and 24 px, 12 px apart, from (100, 200).
        if (x >= 100 && y >= 200 && y < 200 + 9 + 12 + 16 + 24 + 3 * 12)
            return std::nullopt;
        return white;
    }
    if (mode == kGrid) {
        int cx = w / 2, cy = h / 2, dx = x - cx, dy = y - cy, r = (h - 64) / 2;
        auto onCircle = [r](int along, int across) {
            return std::abs(along) <= r
                && std::abs(across) == std::lround(std::sqrt(double(r) * r - double(along) * along));
        };
        bool line = x % 64 == 0 || y % 64 == 0 || x == w - 1 || y == h - 1;
        bool cross = (dy == 0 && std::abs(dx) <= 64) || (dx == 0 && std::abs(dy) <= 64);
        bool circle = r > 0 && (onCircle(dx, dy) || onCircle(dy, dx));
        if (cross || circle)
            return 0x00FF00u;
        return line ? white : black;
    }
    return std::nullopt;
}

// Where to look: the edges, each square's corners and the pixels just
// outside them, the circle and its neighbours, and random points.
std::vector<plat::Point> Probes(const Pattern* mode, int w, int h)
{
    std::vector<plat::Point> points;
    for (int x = 0; x < w; ++x)
        points.insert(points.end(), { { x, 0 }, { x, h - 1 } });
    for (int y = 0; y < h; ++y)
        points.insert(points.end(), { { 0, y }, { w - 1, y } });
    if (mode == kBlackLevel || mode == kGamma) {
        Squares sq = mode == kBlackLevel ? BlackLevelSquares(w, h) : GammaSquares(w, h);
        for (int i = 0; i < sq.count && sq.side > 0; ++i) {
            int l = sq.left + i * sq.pitch, t = sq.top, r = l + sq.side - 1, b = t + sq.side - 1;
            points.insert(points.end(), { { l, t }, { r, t }, { l, b }, { r, b }, { l - 1, t }, { r + 1, b }, { l, t - 1 }, { r, b + 1 } });
        }
    }
    if (mode == kGrid) {
        int r = (h - 64) / 2;
        for (int dx = -r; dx <= r; dx += std::max(1, r / 50)) {
            int k = static_cast<int>(std::lround(std::sqrt(double(r) * r - double(dx) * dx)));
            for (int off : { -1, 0, 1 })
                points.insert(points.end(), { { w / 2 + dx, h / 2 - k + off }, { w / 2 + dx, h / 2 + k + off } });
        }
    }
    std::mt19937 random(static_cast<unsigned>(w * 31 + h));
    for (int i = 0; i < 4000; ++i)
        points.push_back({ static_cast<int>(random() % static_cast<unsigned>(w)),
            static_cast<int>(random() % static_cast<unsigned>(h)) });
    return points;
}

}

TEST(TestWndCharts, EveryStepMatchesItsGeometry)
{
    const plat::Size sizes[] = { { 1920, 1080 }, { 1366, 768 }, { 1, 1 }, { 39, 30 }, { 7680, 4320 } };
    for (plat::Size size : sizes) {
        for (const Pattern* mode : { kGrey, kBlackLevel, kGamma, kSharpness, kGrid }) {
            const int w = size.cx, h = size.cy;
            SCOPED_TRACE(std::string(mode->name) + " at " + std::to_string(w) + " x " + std::to_string(h));
            CTestWnd wnd({ mode });
            std::vector<std::string> wrong;
            const std::vector<plat::Point> probes = Probes(mode, w, h);
            std::vector<Step> script { [&] { Resize(wnd, w, h); } };
            for (int step = 0; step < mode->Steps(); ++step) {
                script.push_back([&, step] {
                    wnd.ShowStep(step);
                    const plat::Surface& s = Back(wnd);
                    for (plat::Point p : probes) {
                        if (p.x < 0 || p.y < 0 || p.x >= w || p.y >= h)
                            continue;
                        std::optional<std::uint32_t> want = Expected(mode, step, w, h, p.x, p.y);
                        std::uint32_t got = s.Pixel(p.x, p.y) & 0xFFFFFFu;
                        if (want && got != *want && wrong.size() < 10)
                            wrong.push_back("step " + std::to_string(step) + " (" + std::to_string(p.x) + ", "
                                + std::to_string(p.y) + ") " + std::to_string(got) + " != " + std::to_string(*want));
                    }
                    // Squares large enough carry their level, 32 greys towards mid-grey.
                    Squares squares = BlackLevelSquares(w, h);
                    for (int i = 0; mode == kBlackLevel && squares.side >= 30 && i < squares.count; ++i) {
                        int level = (step == 0 ? 1 : 239) + i;
                        std::uint32_t ink = Grey(step == 0 ? level + 32 : level - 32);
                        long inked = 0;
                        for (int y = squares.top; y < squares.top + squares.side; ++y)
                            for (int x = squares.left + i * squares.pitch; x < squares.left + i * squares.pitch + squares.side; ++x)
                                inked += (s.Pixel(x, y) & 0xFFFFFFu) == ink;
                        if (inked == 0 && wrong.size() < 10)
                            wrong.push_back("step " + std::to_string(step) + ": no number on square " + std::to_string(i));
                    }
                });
            }
            RunModal(wnd, script);
            EXPECT_EQ(wrong, std::vector<std::string> {});
        }
    }
}
