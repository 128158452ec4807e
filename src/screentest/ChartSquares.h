#pragma once

// Where the black-level and gamma charts put their squares, shared by
// their renderers and by the inspection, which frames the square a person
// picks. Empty rectangles on an area too small for the squares.

#include "platform/Types.h"

// Square `i` (0 to 15) of the black-level chart in `client`.
plat::Rect BlackLevelSquare(const plat::Rect& client, int i);

// Square `i` (0 to 4) of the gamma chart in `client`.
plat::Rect GammaChartSquare(const plat::Rect& client, int i);
