#pragma once

// The samples each benchmark case recorded, by case name, and their medians.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace benchsupport {

using Samples = std::map<std::string, std::vector<double>>;

// The middle sample, or the mean of the two middle ones; 0 for none.
inline double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}
