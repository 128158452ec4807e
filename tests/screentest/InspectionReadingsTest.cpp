// What a picked square stands for: each square's level as the chart really
// draws it (read back from the window, left to right along a row through
// the squares), the gamma computed from it against the chart's label, and picks
// past the last square.

#include "TestWndSupport.h"

#include "screentest/InspectionReadings.h"

#include <cmath>
#include <optional>

using namespace sttest;

namespace {

// The grey levels along a row through the squares, each run once, leaving
// out the background's full and zero levels.
std::vector<int> SquareLevels(const Pattern* pattern, int step)
{
    constexpr int kWidth = 1920;
    constexpr int kHeight = 1080;
    // Inside every square, above the level printed in its middle.
    constexpr int kRow = kHeight / 2 - 16;
    CTestWnd wnd({ pattern, "", 0, 0, step });
    std::vector<int> levels;
    RunModal(wnd, { [&] { Resize(wnd, kWidth, kHeight); }, [&] {
                          wnd.DrawPattern();
                          const plat::Surface& s = Back(wnd);
                          for (int x = 0; x < kWidth; ++x) {
                              const int level = static_cast<int>((s.Pixel(x, kRow) >> 16) & 0xFF);
                              if (level != 0 && level != 255 && (levels.empty() || levels.back() != level))
                                  levels.push_back(level);
                          } } });
    return levels;
}

std::optional<double> Tenths(std::optional<double> gamma)
{
    if (!gamma)
        return std::nullopt;
    return std::round(*gamma * 10) / 10;
}

}

TEST(InspectionReadingsTest, SquaresAreTheChartsLevels)
{
    const std::vector<int> gamma = SquareLevels(kGamma, 0);
    const std::vector<int> dark = SquareLevels(kBlackLevel, 0);
    const std::vector<int> light = SquareLevels(kBlackLevel, 1);
    ASSERT_EQ(gamma.size(), kGammaSquareLevels.size());
    ASSERT_EQ(dark.size(), kBlackLevelSquares);
    ASSERT_EQ(light.size(), kBlackLevelSquares);
    for (std::size_t i = 0; i < kGammaSquareLevels.size(); ++i)
        EXPECT_EQ(kGammaSquareLevels[i], gamma[i]) << "gamma square " << i;
    for (std::size_t i = 0; i < kBlackLevelSquares; ++i) {
        EXPECT_EQ(DarkestLevel(i), dark[i]) << "square " << i << " on black";
        EXPECT_EQ(LightestLevel(i), light[i]) << "square " << i << " on white";
    }
    EXPECT_EQ(DarkestLevel(kBlackLevelSquares), std::nullopt);
    EXPECT_EQ(LightestLevel(kBlackLevelSquares), std::nullopt);
}

TEST(InspectionReadingsTest, GammaOfEachSquare)
{
    struct Row {
        std::size_t square;
        std::optional<double> gamma; // to a tenth, as the chart labels it
    };
    const Row rows[] = {
        { 0, 1.8 },
        { 1, 2.0 },
        { 2, 2.2 },
        { 3, 2.4 },
        { 4, 2.6 },
        { 5, std::nullopt },
        { std::size_t(-1), std::nullopt },
    };
    for (const Row& row : rows)
        EXPECT_EQ(Tenths(GammaOfSquare(row.square)), row.gamma) << "square " << row.square;

    struct LevelRow {
        int level;
        std::optional<double> gamma;
    };
    const LevelRow levels[] = {
        { 128, 1.0 }, // half the level is half the light only at gamma 1
        { 0, std::nullopt },
        { 255, std::nullopt },
        { -1, std::nullopt },
        { 256, std::nullopt },
    };
    for (const LevelRow& row : levels)
        EXPECT_EQ(Tenths(GammaOfLevel(row.level)), row.gamma) << "level " << row.level;
}
