#pragma once

// The texts of a defect report: marks.json for programs and report.html
// for people. Both are UTF-8.

#include "screentest/DefectMarks.h"
#include "screentest/MonitorIdentity.h"
#include "screentest/MotionReading.h"

#include <string>
#include <vector>

// {"monitor": {...}, "marks": [...]}, unknown monitor fields null; with
// `motion`, the figures of the moving pattern the test ran as "motion".
std::string ReportJson(const MonitorIdentity& monitor, const std::vector<DefectMark>& marks,
    const MotionReading* motion = nullptr);

// A page with the monitor, the date `date`, a table of the marks (each
// mark's pattern shown by its caption in `captions`, in the shown language)
// and the map picture `map.png` beside it. Every text in it is escaped, the
// translated ones too. With `motion`, a row of the moving pattern's figures.
std::string ReportHtml(const MonitorIdentity& monitor, const std::vector<DefectMark>& marks,
    const std::vector<std::string>& captions, const std::string& date, const MotionReading* motion = nullptr);

// The monitor as both reports write it: {"index": ..., "name": ..., ...},
// unknown fields null.
std::string MonitorJson(const MonitorIdentity& monitor);

// A JSON string literal; control characters escaped, the rest as UTF-8.
std::string JsonString(const std::string& text);

// "#RRGGBB".
std::string HexColor(plat::COLORREF color);
