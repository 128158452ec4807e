#pragma once

// The guided inspection's checks in the order a person makes them: each
// one or more pictures from the pattern table, the one short instruction
// shown before it, what a person answers and what its marks stand for.

#include "screentest/PixelFaultClass.h"

#include <span>
#include <string_view>

enum class CheckKind {
    Answer,       // fine, defect found (with marks) or skipped
    PickDarkest,  // the darkest black-level square told apart from black
    PickLightest, // the lightest square told apart from white
    PickGamma,    // the gamma square that blends into its stripes
    Motion,       // measured while its picture moves, nothing to answer
};

struct CheckPicture {
    std::string_view pattern; // the pattern's command-line name
    int step = 0;
};

struct CheckSpec {
    std::string_view name;        // its id in inspection.json
    std::string_view title;       // shown, translated where drawn
    std::string_view instruction; // shown, translated where drawn
    CheckKind kind = CheckKind::Answer;
    FaultType marksAre = FaultType::None;
    std::span<const CheckPicture> pictures;
};

std::span<const CheckSpec> InspectionChecks();

// How long the motion check measures.
inline constexpr unsigned kMotionCheckMs = 10'000;

// The number of squares a person picks among on a pick check; 0 for an
// answer check.
int PickSquares(CheckKind kind);
