#include "screentest/PixelFaultClass.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>

namespace {

// Per million pixels, in the order of PixelFaultCounts.
struct ClassLimits {
    PixelFaultClass faultClass;
    int lit;
    int dark;
    int subPixel;
    int litOrDarkClusters;
    int subPixelClusters;
};

constexpr std::array<ClassLimits, 4> kLimits { {
    { PixelFaultClass::I, 0, 0, 0, 0, 0 },
    { PixelFaultClass::II, 2, 2, 5, 0, 2 },
    { PixelFaultClass::III, 5, 15, 50, 0, 5 },
    { PixelFaultClass::IV, 50, 150, 500, 5, 50 },
} };

// A cluster's square is 5 pixels on a side.
constexpr int kClusterReach = 4;

bool ShareASquare(plat::Point a, plat::Point b)
{
    return std::abs(a.x - b.x) <= kClusterReach && std::abs(a.y - b.y) <= kClusterReach;
}

// The groups of two or more among `points`, linked by ShareASquare.
int CountClusters(const std::vector<plat::Point>& points)
{
    std::vector<std::size_t> parent(points.size());
    std::iota(parent.begin(), parent.end(), std::size_t { 0 });
    auto root = [&parent](std::size_t i) {
        while (parent[i] != i) {
            parent[i] = parent[parent[i]];
            i = parent[i];
        }
        return i;
    };
    for (std::size_t i = 0; i < points.size(); ++i)
        for (std::size_t j = i + 1; j < points.size(); ++j)
            if (ShareASquare(points[i], points[j]))
                parent[root(j)] = root(i);

    std::vector<int> members(points.size(), 0);
    for (std::size_t i = 0; i < points.size(); ++i)
        ++members[root(i)];
    int clusters = 0;
    for (int count : members)
        clusters += count > 1;
    return clusters;
}

}

PixelFaultCounts CountPixelFaults(const std::vector<PixelFault>& faults)
{
    PixelFaultCounts counts;
    std::vector<plat::Point> litOrDark;
    std::vector<plat::Point> subPixel;
    for (const PixelFault& fault : faults) {
        switch (fault.type) {
        case FaultType::Lit:
            ++counts.lit;
            litOrDark.push_back(fault.at);
            break;
        case FaultType::Dark:
            ++counts.dark;
            litOrDark.push_back(fault.at);
            break;
        case FaultType::SubPixel:
            ++counts.subPixel;
            subPixel.push_back(fault.at);
            break;
        case FaultType::None:
            break;
        }
    }
    counts.litOrDarkClusters = CountClusters(litOrDark);
    counts.subPixelClusters = CountClusters(subPixel);
    return counts;
}

std::int64_t ScaledLimit(int perMillion, std::int64_t pixels)
{
    return std::int64_t { perMillion } * pixels / 1'000'000;
}

PixelFaultClass ClassifyPixelFaults(const PixelFaultCounts& counts, int width, int height)
{
    const std::int64_t pixels = std::int64_t { std::max(width, 0) } * std::max(height, 0);
    auto within = [pixels](int count, int perMillion) { return count <= ScaledLimit(perMillion, pixels); };
    for (const ClassLimits& limits : kLimits) {
        if (within(counts.lit, limits.lit) && within(counts.dark, limits.dark)
            && within(counts.subPixel, limits.subPixel)
            && within(counts.litOrDarkClusters, limits.litOrDarkClusters)
            && within(counts.subPixelClusters, limits.subPixelClusters))
            return limits.faultClass;
    }
    return PixelFaultClass::WorseThanIV;
}

std::string_view PixelFaultClassName(PixelFaultClass faultClass)
{
    switch (faultClass) {
    case PixelFaultClass::I:
        return "I";
    case PixelFaultClass::II:
        return "II";
    case PixelFaultClass::III:
        return "III";
    case PixelFaultClass::IV:
        return "IV";
    case PixelFaultClass::WorseThanIV:
        break;
    }
    return "worse than IV";
}
