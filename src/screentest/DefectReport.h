#pragma once

// Writes a defect report: a new folder Lumivex\<YYYY-MM-DD-HHMMSS>\ in the
// documents folder (with "-2", "-3", ... added when that name is taken)
// holding marks.json, map.png and report.html.

#include "screentest/DefectMarks.h"
#include "screentest/MonitorIdentity.h"

#include <ctime>
#include <string>
#include <vector>

// 0 when written, with `folder` the report's folder (a Windows path ending
// in a backslash); 1 when something could not be written, with `folder`
// the path that failed.
int WriteDefectReport(const std::string& documents, const MonitorIdentity& monitor,
    const std::vector<DefectMark>& marks, std::time_t when, std::string* folder);
