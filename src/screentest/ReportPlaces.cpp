#include "screentest/ReportPlaces.h"

#include "platform/fs/DocumentsFolder.h"

// The data folder's own path is made when missing (from the root).
std::vector<ReportPlace> ReportPlaces()
{
    std::vector<ReportPlace> places;
    const std::string documents = plat::GetDocumentsFolder();
    const std::string data = plat::GetDataHomeFolder();
    const std::string home = plat::GetHomeFolder();
    places.push_back({ documents, "Lumivex" });
    if (!data.empty())
        places.push_back({ "/", data.substr(1) + "/lumivex/reports" });
    if (!home.empty() && home != documents)
        places.push_back({ home, "Lumivex" });
    return places;
}

std::string ReportFailuresText(const std::vector<ReportFailure>& failures)
{
    std::string text;
    for (const ReportFailure& failure : failures)
        text += (text.empty() ? "" : "\n") + failure.path + " (" + failure.reason + ")";
    return text;
}
