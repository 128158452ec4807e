#pragma once

// What one motion run added up to, in the figures the program's
// end-of-test line gives: frames shown (held ones included), frames held,
// frames dropped, the measured refresh rate and the interval's standard
// deviation. Read from that line or from a reference client's ledger, so
// both sides are judged by the same figures.

#include "platform/present/FrameLedger.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace benchsupport {

struct MotionFigures {
    double frames = 0;
    double held = 0;
    double dropped = 0;
    std::optional<double> measuredHz;
    double deviationUs = 0;
    std::string source;

    // The line gives no mean interval: the measured refresh period,
    // lengthened by the refreshes held frames stayed up (one each at least).
    double MeanIntervalUs() const { return measuredHz && *measuredHz > 0 && frames > 0 ? 1e6 / *measuredHz * (frames + held) / frames : 0; }
    // Refreshes missed per 1,000 frames: held frames and dropped ones.
    double MissedPerThousand() const { return frames > 0 ? (held + dropped) * 1000 / frames : 0; }
};

inline MotionFigures FromLedger(const plat::present::FrameLedger& l, const char* source)
{
    return { static_cast<double>(l.Shown()), static_cast<double>(l.HeldFrames()), static_cast<double>(l.Dropped()), l.MeasuredHz(),
        l.IntervalDeviationUs(), source };
}

// The program's end-of-test line, in either language: seven parts parted
// by ", " (frames, held, dropped, measured, nominal, deviation, timing),
// each with its number; a measured rate without one is unknown or variable.
inline std::optional<MotionFigures> FromProgramLine(const std::string& line)
{
    std::vector<std::string> parts;
    for (std::size_t at = 0;;) {
        const std::size_t next = line.find(", ", at);
        parts.push_back(line.substr(at, next == std::string::npos ? std::string::npos : next - at));
        if (next == std::string::npos)
            break;
        at = next + 2;
    }
    if (parts.size() != 7)
        return std::nullopt;
    auto number = [](const std::string& part) -> std::optional<double> {
        const std::size_t digit = part.find_first_of("0123456789");
        if (digit == std::string::npos)
            return std::nullopt;
        return std::atof(part.c_str() + digit);
    };
    MotionFigures f;
    const std::optional<double> frames = number(parts[0]);
    const std::optional<double> held = number(parts[1]);
    const std::optional<double> dropped = number(parts[2]);
    const std::optional<double> deviation = number(parts[5]);
    if (!frames || !held || !dropped || !deviation)
        return std::nullopt;
    f.frames = *frames;
    f.held = *held;
    f.dropped = *dropped;
    f.measuredHz = number(parts[3]);
    f.deviationUs = *deviation;
    f.source = parts[6].substr(parts[6].find(' ') + 1);
    return f;
}

}
