#pragma once

// The pixel fault class of a flat panel (I best, IV worst) from the faults
// a person marked: lit pixels (type 1), dark pixels (type 2) and faulty
// sub-pixels (type 3), and clusters of them, each limited per million
// pixels and scaled to the panel's own pixel count.

#include "platform/Types.h"

#include <cstdint>
#include <string_view>
#include <vector>

// What a mark says about its pixel. Marks of uneven areas and bleed name
// no pixel fault and never count towards the class.
enum class FaultType {
    None = 0,
    Lit = 1,
    Dark = 2,
    SubPixel = 3,
};

struct PixelFault {
    plat::Point at; // in the monitor's pixels
    FaultType type = FaultType::None;
};

enum class PixelFaultClass {
    I,
    II,
    III,
    IV,
    WorseThanIV,
};

struct PixelFaultCounts {
    int lit = 0;
    int dark = 0;
    int subPixel = 0;
    int litOrDarkClusters = 0;
    int subPixelClusters = 0;
    friend bool operator==(const PixelFaultCounts&, const PixelFaultCounts&) = default;
};

// A cluster is more than one fault within a 5 x 5 pixel square. Faults
// link when one such square holds both (at most 4 pixels apart on each
// axis), and every linked group is one cluster, so a line of faults 4
// pixels apart is one cluster, not one per square it crosses. Lit and dark
// faults cluster together, sub-pixel faults among themselves; a lit pixel
// beside a faulty sub-pixel is two single faults and no cluster. A fault
// in a cluster still counts as a fault of its type: the cluster limits
// are a further condition, so grouping faults never makes a panel better.
PixelFaultCounts CountPixelFaults(const std::vector<PixelFault>& faults);

// The limit `perMillion` for a panel of `pixels`: limit x pixels / 10^6,
// rounded down, so a panel never gets a fault more than its share (a
// 1920 x 1080 panel of class II may have 4 lit pixels, not 4.15).
std::int64_t ScaledLimit(int perMillion, std::int64_t pixels);

// The best class whose every scaled limit `counts` keeps.
PixelFaultClass ClassifyPixelFaults(const PixelFaultCounts& counts, int width, int height);

// "I", "II", "III", "IV" or "worse than IV", as reports write it.
std::string_view PixelFaultClassName(PixelFaultClass faultClass);
