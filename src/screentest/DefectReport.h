#pragma once

// Writes a defect report: a new folder <YYYY-MM-DD-HHMMSS> (with "-2",
// "-3", ... added when that name is taken) holding marks.json, map.png and
// report.html, in the first of the places given that takes all three.
// A place that fails keeps nothing of the report.

#include "screentest/DefectMarks.h"
#include "screentest/MonitorIdentity.h"
#include "screentest/MotionReading.h"

#include <ctime>
#include <string>
#include <vector>

// A folder that exists (the documents folder, never made here) and the
// folders inside it that the report goes in, made when missing ("Lumivex").
struct ReportPlace {
    std::string base;
    std::string sub;
};

struct ReportFailure {
    std::string path;   // what could not be made or written
    std::string reason; // the system's reason
};

struct ReportOutcome {
    std::string folder;                  // the report's folder, ending in '/'; empty when none took it
    std::vector<ReportFailure> failures; // one for each place tried before
};

// One file of a report: its name in the report's folder and its bytes.
struct ReportFile {
    const char* name;
    std::string bytes;
};

// Writes `files` into a new folder named after `when` in the first of
// `places` that takes them all.
ReportOutcome WriteReportFolder(const std::vector<ReportPlace>& places, const std::vector<ReportFile>& files, std::time_t when);

// `captions` holds each mark's pattern caption as the page shows it;
// `motion`, when given, the figures of the moving pattern the test ran.
ReportOutcome WriteDefectReport(const std::vector<ReportPlace>& places, const MonitorIdentity& monitor,
    const std::vector<DefectMark>& marks, const std::vector<std::string>& captions, std::time_t when,
    const MotionReading* motion = nullptr);
