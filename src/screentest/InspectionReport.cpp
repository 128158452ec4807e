#include "screentest/InspectionReport.h"

#include "screentest/InspectionPage.h"
#include "screentest/ReportMap.h"
#include "screentest/ReportPage.h"

#include <cerrno>
#include <cstring>

namespace {

// Every check's marks as the map numbers them, in the order they were made.
std::vector<DefectMark> MapMarks(const InspectionRecord& record)
{
    std::vector<DefectMark> marks;
    for (const InspectionCheck& check : record.checks)
        for (plat::Point at : check.marks)
            marks.push_back({ at, check.name });
    return marks;
}

}

ReportOutcome WriteInspectionReport(const std::vector<ReportPlace>& places, const InspectionRecord& record, std::time_t when)
{
    std::string png;
    if (!ReportMapPng(record.monitor.width, record.monitor.height, MapMarks(record), &png))
        return { {}, { { "map.png", std::strerror(ENOMEM) } } };
    return WriteReportFolder(places,
        {
            { "inspection.json", InspectionJson(record) },
            { "map.png", std::move(png) },
            { "report.html", InspectionPageHtml(record, ReportDate(when)) },
        },
        when);
}
