#include "screentest/InspectionReadings.h"

#include <cmath>

std::optional<double> GammaOfLevel(int level)
{
    if (level <= 0 || level >= 255)
        return std::nullopt;
    return std::log(0.5) / std::log(level / 255.0);
}

std::optional<double> GammaOfSquare(std::size_t square)
{
    if (square >= kGammaSquareLevels.size())
        return std::nullopt;
    return GammaOfLevel(kGammaSquareLevels[square]);
}

std::optional<int> DarkestLevel(std::size_t square)
{
    if (square >= kBlackLevelSquares)
        return std::nullopt;
    return kFirstDarkLevel + static_cast<int>(square);
}

std::optional<int> LightestLevel(std::size_t square)
{
    if (square >= kBlackLevelSquares)
        return std::nullopt;
    return kFirstLightLevel + static_cast<int>(square);
}
