#include "screentest/InspectionRecord.h"

#include "platform/fs/WholeFile.h"
#include "screentest/ReportText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// Decimals written for a gamma and for a refresh rate.
constexpr int kGammaDecimals = 2;
constexpr int kHzDecimals = 3;

// Fixed-point text, the same in every locale; null when not a number.
std::string Fixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return "null";
    std::array<char, 64> text {};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    return error == std::errc {} ? std::string(text.data(), end) : "null";
}

template <typename T>
std::string OrNull(const std::optional<T>& value, auto&& write)
{
    return value ? write(*value) : "null";
}

std::string SizeOrNull(int size)
{
    return size > 0 ? std::to_string(size) : "null";
}

std::string CheckJson(const InspectionCheck& check)
{
    std::string json = "{\"name\": " + JsonString(check.name) + ", \"answer\": \""
        + std::string(CheckAnswerName(check.answer)) + "\", \"marks\": [";
    const std::string type = std::to_string(static_cast<int>(check.marksAre));
    for (std::size_t i = 0; i < check.marks.size(); ++i) {
        const plat::Point at = check.marks[i];
        json += (i == 0 ? "" : ", ") + std::string("{\"x\": ") + std::to_string(at.x) + ", \"y\": "
            + std::to_string(at.y) + ", \"type\": " + type + "}";
    }
    return json + "]}";
}

}

std::vector<PixelFault> PixelFaultsOf(const InspectionRecord& record)
{
    std::vector<PixelFault> faults;
    for (const InspectionCheck& check : record.checks) {
        if (check.marksAre == FaultType::None)
            continue;
        for (plat::Point at : check.marks)
            faults.push_back({ at, check.marksAre });
    }
    return faults;
}

std::optional<PixelFaultClass> PixelFaultVerdict(const InspectionRecord& record)
{
    bool lit = false;
    bool dark = false;
    bool subPixel = false;
    for (const InspectionCheck& check : record.checks) {
        if (check.marksAre == FaultType::None)
            continue;
        if (check.answer == CheckAnswer::Skipped)
            return std::nullopt;
        lit |= check.marksAre == FaultType::Lit;
        dark |= check.marksAre == FaultType::Dark;
        subPixel |= check.marksAre == FaultType::SubPixel;
    }
    // The limits scale with the pixel count: without the monitor's size a
    // single fault would read as worse than class IV.
    if (!lit || !dark || !subPixel || record.monitor.width <= 0 || record.monitor.height <= 0)
        return std::nullopt;
    return ClassifyPixelFaults(CountPixelFaults(PixelFaultsOf(record)), record.monitor.width, record.monitor.height);
}

std::string_view CheckAnswerName(CheckAnswer answer)
{
    switch (answer) {
    case CheckAnswer::Fine:
        return "fine";
    case CheckAnswer::Defect:
        return "defect";
    case CheckAnswer::Skipped:
        break;
    }
    return "skipped";
}

std::string InspectionJson(const InspectionRecord& record)
{
    const PixelFaultCounts counts = CountPixelFaults(PixelFaultsOf(record));
    std::string json = "{\"monitor\": " + MonitorJson(record.monitor) + ",\n \"width\": "
        + SizeOrNull(record.monitor.width) + ", \"height\": " + SizeOrNull(record.monitor.height)
        + ",\n \"checks\": [";
    for (std::size_t i = 0; i < record.checks.size(); ++i)
        json += (i == 0 ? "\n  " : ",\n  ") + CheckJson(record.checks[i]);
    json += record.checks.empty() ? "]" : "\n ]";

    auto integer = [](int value) { return std::to_string(value); };
    json += ",\n \"pixel_faults\": {\"lit\": " + integer(counts.lit) + ", \"dark\": " + integer(counts.dark)
        + ", \"sub_pixel\": " + integer(counts.subPixel) + ", \"lit_or_dark_clusters\": "
        + integer(counts.litOrDarkClusters) + ", \"sub_pixel_clusters\": " + integer(counts.subPixelClusters) + "}";
    json += ",\n \"darkest_level\": " + OrNull(record.darkestLevel, integer)
        + ", \"lightest_level\": " + OrNull(record.lightestLevel, integer)
        + ", \"gamma\": " + OrNull(record.gamma, [](double gamma) { return Fixed(gamma, kGammaDecimals); })
        + ",\n \"pixel_fault_class\": " + OrNull(PixelFaultVerdict(record), [](PixelFaultClass c) {
              return JsonString(std::string(PixelFaultClassName(c)));
          });
    if (record.motion) {
        const MotionFigures& motion = *record.motion;
        json += ",\n \"refresh_hz\": " + Fixed(motion.refreshHz, kHzDecimals) + ", \"frames_held\": "
            + integer(motion.framesHeld) + ", \"frames_dropped\": " + integer(motion.framesDropped);
    }
    return json + "}\n";
}

bool WriteInspectionJson(const std::string& folder, const InspectionRecord& record)
{
    return plat::WriteWholeFile(folder + "inspection.json", InspectionJson(record));
}
