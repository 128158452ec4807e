#include "screentest/DefectReport.h"

#include "platform/fs/FileOps.h"
#include "platform/fs/FileStatus.h"
#include "platform/fs/WholeFile.h"
#include "screentest/ReportMap.h"
#include "screentest/ReportText.h"

namespace {

// Gives up on suffixes after this many: something else is wrong.
constexpr int kMaxSuffix = 1000;

bool Exists(const std::string& path)
{
    plat::FileStatus status;
    return plat::GetFileStatus(path, status);
}

// Creates each missing folder of `path` (a Windows path ending in a
// backslash); false when the last one is not a folder afterwards.
bool MakeFolders(const std::string& path)
{
    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        plat::CreateDirectory(path.substr(0, at));
    plat::FileStatus status;
    return plat::GetFileStatus(path.substr(0, path.size() - 1), status)
        && (status.attributes & plat::kFileAttributeDirectory);
}

}

int WriteDefectReport(const std::string& documents, const MonitorIdentity& monitor,
    const std::vector<DefectMark>& marks, std::time_t when, std::string* folder)
{
    std::string parent = documents + "Lumivex\\";
    *folder = parent;
    if (documents.empty() || !MakeFolders(parent))
        return 1;

    std::tm local {};
    localtime_r(&when, &local);
    char stamp[32];
    (void)std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    char date[32];
    (void)std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", &local);

    std::string name = parent + stamp;
    for (int suffix = 2; !plat::CreateDirectory(name); ++suffix) {
        // A name that is taken gets the next suffix; any other failure ends it.
        if (!Exists(name) || suffix > kMaxSuffix)
            return 1;
        name = parent + stamp + "-" + std::to_string(suffix);
    }
    *folder = name + "\\";

    std::string png;
    if (!ReportMapPng(monitor.width, monitor.height, marks, &png)) {
        *folder += "map.png";
        return 1;
    }
    struct File {
        const char* name;
        std::string bytes;
    };
    const File files[] = {
        { "marks.json", ReportJson(monitor, marks) },
        { "map.png", std::move(png) },
        { "report.html", ReportHtml(monitor, marks, date) },
    };
    for (const File& file : files) {
        if (!plat::WriteWholeFile(*folder + file.name, file.bytes)) {
            *folder += file.name;
            return 1;
        }
    }
    return 0;
}
