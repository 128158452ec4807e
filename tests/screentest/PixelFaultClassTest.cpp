// The pixel fault class from marked faults: every class's limits met and
// one past each, at three panel sizes whose limits are written out here,
// and the cluster geometry (one 5 x 5 square against 5 pixels apart,
// chains, mixed types).

#include "screentest/PixelFaultClass.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using Counts = PixelFaultCounts;

// The limits of classes II, III and IV at one panel size, in the order of
// PixelFaultCounts, rounded down from the per-million limits.
struct SizeLimits {
    int width;
    int height;
    std::array<Counts, 3> classes;
};

const SizeLimits kSizes[] = {
    { 1920, 1080, { { { 4, 4, 10, 0, 4 }, { 10, 31, 103, 0, 10 }, { 103, 311, 1036, 10, 103 } } } },
    { 3840, 2160, { { { 16, 16, 41, 0, 16 }, { 41, 124, 414, 0, 41 }, { 414, 1244, 4147, 41, 414 } } } },
    { 1366, 768, { { { 2, 2, 5, 0, 2 }, { 5, 15, 52, 0, 5 }, { 52, 157, 524, 5, 52 } } } },
};

void Grid(std::vector<PixelFault>& faults, FaultType type, int count, int shift)
{
    // 10 pixels apart, lit and dark 5 apart: no two share a 5 x 5 square.
    for (int i = 0; i < count; ++i)
        faults.push_back({ { 10 * (i % 100) + shift, 10 * (i / 100) }, type });
}

// Faults that count as `c`: its clusters as pairs on a square's corners
// (lit with dark, sub-pixel with sub-pixel), the rest single.
std::vector<PixelFault> Faults(const Counts& c)
{
    std::vector<PixelFault> faults;
    for (int k = 0; k < c.litOrDarkClusters; ++k) {
        plat::Point at { 20 * (k % 100), 3000 + 20 * (k / 100) };
        faults.push_back({ at, FaultType::Lit });
        faults.push_back({ { at.x + 4, at.y + 4 }, FaultType::Dark });
    }
    for (int k = 0; k < c.subPixelClusters; ++k) {
        plat::Point at { 20 * (k % 100), 5000 + 20 * (k / 100) };
        faults.push_back({ at, FaultType::SubPixel });
        faults.push_back({ { at.x + 4, at.y + 4 }, FaultType::SubPixel });
    }
    Grid(faults, FaultType::Lit, c.lit - c.litOrDarkClusters, 0);
    Grid(faults, FaultType::Dark, c.dark - c.litOrDarkClusters, 5);
    Grid(faults, FaultType::SubPixel, c.subPixel - 2 * c.subPixelClusters, 0);
    return faults;
}

// `limits` with field `field` one higher, its faults kept enough to hold
// the extra cluster.
Counts OnePast(Counts c, int field)
{
    int* fields[] = { &c.lit, &c.dark, &c.subPixel, &c.litOrDarkClusters, &c.subPixelClusters };
    ++*fields[field];
    c.lit = std::max(c.lit, c.litOrDarkClusters);
    c.dark = std::max(c.dark, c.litOrDarkClusters);
    c.subPixel = std::max(c.subPixel, 2 * c.subPixelClusters);
    return c;
}

struct Row {
    std::string name;
    int width;
    int height;
    std::vector<PixelFault> faults;
    Counts counts;
    PixelFaultClass expected;
};

std::vector<Row> LimitRows()
{
    const PixelFaultClass order[] = { PixelFaultClass::II, PixelFaultClass::III, PixelFaultClass::IV,
        PixelFaultClass::WorseThanIV };
    const char* fieldNames[] = { "lit", "dark", "sub-pixel", "lit or dark clusters", "sub-pixel clusters" };
    std::vector<Row> rows;
    for (const SizeLimits& size : kSizes) {
        const std::string at = " at " + std::to_string(size.width) + " x " + std::to_string(size.height);
        rows.push_back({ "none" + at, size.width, size.height, {}, {}, PixelFaultClass::I });
        rows.push_back({ "one lit" + at, size.width, size.height, Faults({ 1, 0, 0, 0, 0 }), { 1, 0, 0, 0, 0 },
            PixelFaultClass::II });
        for (std::size_t k = 0; k < size.classes.size(); ++k) {
            const Counts& limits = size.classes[k];
            const std::string name(PixelFaultClassName(order[k]));
            rows.push_back({ "class " + name + " limits" + at, size.width, size.height, Faults(limits), limits, order[k] });
            for (int field = 0; field < 5; ++field) {
                Counts past = OnePast(limits, field);
                // Class III allows no more lit or dark clusters than class II.
                const bool skipsIII = k == 0 && field == 3;
                rows.push_back({ "class " + name + " one " + fieldNames[field] + " past" + at, size.width,
                    size.height, Faults(past), past, order[skipsIII ? 2 : k + 1] });
            }
        }
    }
    return rows;
}

std::vector<Row> GeometryRows()
{
    using enum FaultType;
    auto row = [](std::string name, std::vector<PixelFault> faults, Counts counts, PixelFaultClass expected) {
        return Row { std::move(name), 1920, 1080, std::move(faults), counts, expected };
    };
    return {
        row("two lit on one square's corners", { { { 100, 100 }, Lit }, { { 104, 104 }, Lit } }, { 2, 0, 0, 1, 0 },
            PixelFaultClass::IV),
        row("two lit 5 across", { { { 100, 100 }, Lit }, { { 105, 100 }, Lit } }, { 2, 0, 0, 0, 0 }, PixelFaultClass::II),
        row("two dark 5 down", { { { 100, 100 }, Dark }, { { 100, 105 }, Dark } }, { 0, 2, 0, 0, 0 }, PixelFaultClass::II),
        row("lit beside dark", { { { 0, 0 }, Lit }, { { 1, 0 }, Dark } }, { 1, 1, 0, 1, 0 }, PixelFaultClass::IV),
        row("lit beside sub-pixel", { { { 0, 0 }, Lit }, { { 1, 0 }, SubPixel } }, { 1, 0, 1, 0, 0 }, PixelFaultClass::II),
        row("two sub-pixels in one pixel", { { { 7, 7 }, SubPixel }, { { 7, 7 }, SubPixel } }, { 0, 0, 2, 0, 1 },
            PixelFaultClass::II),
        row("three lit in one square", { { { 0, 0 }, Lit }, { { 2, 2 }, Lit }, { { 4, 0 }, Lit } }, { 3, 0, 0, 1, 0 },
            PixelFaultClass::IV),
        row("a chain 4 apart is one cluster",
            { { { 0, 0 }, SubPixel }, { { 4, 0 }, SubPixel }, { { 8, 0 }, SubPixel }, { { 12, 4 }, SubPixel } },
            { 0, 0, 4, 0, 1 }, PixelFaultClass::II),
        row("five sub-pixel pairs", Faults({ 0, 0, 10, 0, 5 }), { 0, 0, 10, 0, 5 }, PixelFaultClass::III),
        row("marks of uneven areas", { { { 0, 0 }, None }, { { 1, 1 }, None } }, {}, PixelFaultClass::I),
        { "one lit on no pixels", 0, 0, { { { 0, 0 }, Lit } }, { 1, 0, 0, 0, 0 }, PixelFaultClass::WorseThanIV },
        { "none on no pixels", 0, 0, {}, {}, PixelFaultClass::I },
    };
}

TEST(PixelFaultClassTest, ClassFromMarkedFaults)
{
    std::vector<Row> rows = LimitRows();
    for (Row& row : GeometryRows())
        rows.push_back(std::move(row));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Counts counts = CountPixelFaults(row.faults);
        EXPECT_EQ(counts, row.counts);
        EXPECT_EQ(PixelFaultClassName(ClassifyPixelFaults(counts, row.width, row.height)),
            PixelFaultClassName(row.expected));
    }
}

}
