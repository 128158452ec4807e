#pragma once

// What a square a person picks on a chart stands for. On the gamma chart,
// the square that blends into its stripes gives the monitor's gamma; on
// the black-level chart, the darkest square told apart from black and the
// lightest told apart from white give the levels the monitor still shows.
// The levels are the charts' own, square by square from the left.

#include <array>
#include <cstddef>
#include <optional>

// The gamma chart's squares, drawn on stripes of full and zero light.
inline constexpr std::array<int, 5> kGammaSquareLevels { 174, 180, 186, 191, 195 };

// The black-level chart's sixteen squares: 1 to 16 on black, 239 to 254
// on white.
inline constexpr std::size_t kBlackLevelSquares = 16;
inline constexpr int kFirstDarkLevel = 1;
inline constexpr int kFirstLightLevel = 239;

// The gamma at which a square of `level` (1 to 254) gives half the light,
// as the stripes do: (level / 255)^gamma = 0.5. Nothing for 0 and 255 and
// beyond, which no gamma brings to half.
std::optional<double> GammaOfLevel(int level);

// The gamma the gamma chart's square `square` stands for.
std::optional<double> GammaOfSquare(std::size_t square);

// The level of the black-level chart's square `square` on black, and on
// white; nothing past the sixteenth.
std::optional<int> DarkestLevel(std::size_t square);
std::optional<int> LightestLevel(std::size_t square);
