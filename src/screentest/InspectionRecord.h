#pragma once

// What a guided inspection of one monitor found, check by check in the
// order they were made, and inspection.json, its text for programs. A
// stopped inspection holds the checks it reached.

#include "screentest/MonitorIdentity.h"
#include "screentest/PixelFaultClass.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class CheckAnswer {
    Fine,
    Defect,
    Skipped,
};

struct InspectionCheck {
    std::string name; // the check's id, as inspection.json writes it
    CheckAnswer answer = CheckAnswer::Skipped;
    // The pixel fault every mark of this check stands for; None for checks
    // whose marks show uneven areas.
    FaultType marksAre = FaultType::None;
    std::vector<plat::Point> marks; // in the monitor's pixels
    std::string caption {};         // its title in the shown language; report.html shows the name without one
};

// The frame-skip pattern's measurement.
struct MotionFigures {
    double refreshHz = 0;
    int framesHeld = 0;
    int framesDropped = 0;
};

struct InspectionRecord {
    MonitorIdentity monitor; // as it was when the inspection ended
    std::vector<InspectionCheck> checks;
    std::optional<int> darkestLevel;
    std::optional<int> lightestLevel;
    std::optional<double> gamma;
    std::optional<MotionFigures> motion;
};

// Every mark of a pixel-fault check with the check's fault type.
std::vector<PixelFault> PixelFaultsOf(const InspectionRecord& record);

// The class at the monitor's size, once the record holds lit, dark and
// sub-pixel checks and none of its pixel-fault checks was skipped; nothing
// before that, since a check not made would read as a flawless panel, and
// nothing when the monitor's size is unknown.
std::optional<PixelFaultClass> PixelFaultVerdict(const InspectionRecord& record);

// "fine", "defect" or "skipped".
std::string_view CheckAnswerName(CheckAnswer answer);

// inspection.json: "monitor" (as marks.json writes it), "width", "height",
// "checks" (each with "name", "answer" and "marks" of "x", "y", "type"),
// "pixel_faults" (the counts), "darkest_level", "lightest_level", "gamma",
// "pixel_fault_class" ("I" to "IV" or "worse than IV"), each null when
// unknown, and "refresh_hz", "frames_held", "frames_dropped" only when
// measured.
std::string InspectionJson(const InspectionRecord& record);

// Writes inspection.json into `folder` (a Windows path ending in a
// backslash); false when it could not be written.
bool WriteInspectionJson(const std::string& folder, const InspectionRecord& record);
