#pragma once

// The texts of a defect report: marks.json for programs and report.html
// for people. Both are UTF-8.

#include "screentest/DefectMarks.h"
#include "screentest/MonitorIdentity.h"

#include <string>
#include <vector>

// {"monitor": {...}, "marks": [...]}, unknown monitor fields null.
std::string ReportJson(const MonitorIdentity& monitor, const std::vector<DefectMark>& marks);

// A page with the monitor, the date `date`, a table of the marks (each
// mark's pattern shown by its caption in `captions`, in the shown language)
// and the map picture `map.png` beside it. Every text in it is escaped, the
// translated ones too.
std::string ReportHtml(const MonitorIdentity& monitor, const std::vector<DefectMark>& marks,
    const std::vector<std::string>& captions, const std::string& date);

// "#RRGGBB".
std::string HexColor(plat::COLORREF color);
