#pragma once

// The closing table of a benchmark: the median of every case, then each
// ratio ours / floor with the target it must stay within.

#include "Medians.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>

namespace benchsupport {

struct Ratio {
    const char* ours;
    const char* floor;
    const char* target = "";
};

// Medians are printed in `unit`: seconds times `scale`. A ratio whose two
// cases were not both measured is left out.
inline void PrintRatioTable(const Samples& samples, std::initializer_list<Ratio> ratios, double scale = 1e3,
    const char* unit = "ms")
{
    int width = 4;
    for (const auto& entry : samples)
        width = std::max(width, static_cast<int>(entry.first.size()));
    std::map<std::string, double> median;
    const std::string heading = std::string("median ") + unit;
    std::printf("\n%-*s %12s\n", width, "case", heading.c_str());
    for (const auto& [name, seconds] : samples) {
        median[name] = Median(seconds) * scale;
        std::printf("%-*s %12.3f\n", width, name.c_str(), median[name]);
    }
    std::printf("\n%-*s / %-*s %8s  %s\n", width, "ours", width, "floor", "ratio", "target");
    for (const Ratio& r : ratios) {
        if (!median.count(r.ours) || !median.count(r.floor) || median[r.floor] <= 0)
            continue;
        std::printf("%-*s / %-*s %8.3f  %s\n", width, r.ours, width, r.floor, median[r.ours] / median[r.floor], r.target);
    }
}

}
