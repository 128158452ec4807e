#include "screentest/DefectReport.h"

#include "platform/fs/NewFolder.h"
#include "screentest/ReportMap.h"
#include "screentest/ReportPage.h"
#include "screentest/ReportText.h"

#include <cerrno>
#include <cstring>

ReportOutcome WriteReportFolder(const std::vector<ReportPlace>& places, const std::vector<ReportFile>& files, std::time_t when)
{
    ReportOutcome outcome;
    std::tm local {};
    localtime_r(&when, &local);
    char stamp[32];
    (void)std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    for (const ReportPlace& place : places) {
        plat::NewFolder folder(place.base, place.sub, stamp);
        bool written = folder.IsMade();
        for (const ReportFile& file : files)
            written = written && folder.Write(file.name, file.bytes);
        if (written) {
            outcome.folder = folder.Path();
            return outcome;
        }
        folder.Discard();
        outcome.failures.push_back({ folder.FailedPath(), folder.Reason() });
    }
    return outcome;
}

ReportOutcome WriteDefectReport(const std::vector<ReportPlace>& places, const MonitorIdentity& monitor,
    const std::vector<DefectMark>& marks, const std::vector<std::string>& captions, std::time_t when,
    const MotionReading* motion)
{
    std::string png;
    if (!ReportMapPng(monitor.width, monitor.height, marks, &png))
        return { {}, { { "map.png", std::strerror(ENOMEM) } } };
    return WriteReportFolder(places,
        {
            { "marks.json", ReportJson(monitor, marks, motion) },
            { "map.png", std::move(png) },
            { "report.html", ReportHtml(monitor, marks, captions, ReportDate(when), motion) },
        },
        when);
}
