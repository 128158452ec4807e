#pragma once

// The report's map: the monitor at a quarter of its width and height in
// dark grey, each mark as a red ring with its number beside it, white with
// a black outline, sized to the map and always whole inside it, saved as
// PNG.

#include "screentest/DefectMarks.h"

#include <string>
#include <vector>

inline constexpr int kMapScale = 4;

// The PNG bytes of the map of a width x height monitor; false when the
// picture cannot be made.
bool ReportMapPng(int width, int height, const std::vector<DefectMark>& marks, std::string* png);
