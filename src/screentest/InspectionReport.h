#pragma once

// Writes an inspection's report: a new folder <YYYY-MM-DD-HHMMSS> in the
// first of the places that takes it, as a defect report's, holding
// inspection.json, map.png (every check's marks) and report.html.

#include "screentest/DefectReport.h"
#include "screentest/InspectionRecord.h"

#include <ctime>

ReportOutcome WriteInspectionReport(const std::vector<ReportPlace>& places, const InspectionRecord& record, std::time_t when);
