#include "update/UpdateThread.h"

#include "localdata/Paths.h"
#include "localdata/TextLines.h"
#include "platform/fs/CurrentDirectory.h"
#include "platform/fs/PathInsideFolder.h"
#include "platform/fs/Process.h"
#include "platform/fs/WholeFile.h"
#include "platform/text/Utf8.h"
#include "update/DebugLog.h"
#include "update/EntryFields.h"
#include "update/EntryInstaller.h"
#include "update/FileListWalk.h"
#include "update/InstallTargets.h"
#include "update/SecondStage.h"
#include "update/WorkingFiles.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::string_view kManifestQuery = "/lv/main200.asp?v=1&rid=1";
constexpr std::string_view kEndMarker = "[HTML_END]";
constexpr std::string_view kListBegin = "[FILE_LIST_BEGIN]";
constexpr std::string_view kListEnd = "[FILE_LIST_END]";
constexpr const char* kManifestFile = "data\\main.htm";
constexpr const char* kLogFile = "data\\update.txt";

// Field capacities of a first-list entry: digest, path, url.
constexpr std::size_t kDigestCapacity = 49;
constexpr std::size_t kPathCapacity = 254;
constexpr std::size_t kUrlCapacity = 254;

// A body that begins with the marker is refused even if it occurs again.
bool IsAcceptedManifest(std::string_view body)
{
    std::size_t marker = body.find(kEndMarker);
    return marker != std::string_view::npos && marker > 0;
}

}

std::string GetManifestUrl()
{
    std::string server = plat::GetEnvironmentVariable("LUMIVEX_UPDATE_SERVER").value_or("");
    while (!server.empty() && server.back() == '/')
        server.pop_back();
    if (server.empty())
        server = kDefaultUpdateServer;
    return server + std::string(kManifestQuery);
}

unsigned UpdateThreadProc(void*)
{
    // Every path of the update is built from the folder's Windows name; if
    // that name leads elsewhere, so would every file the update writes.
    if (!plat::ModuleFileNameRoundTrips()) {
        const std::string program = plat::GetModuleFileName();
        (void)std::fprintf(stderr, "lv.exe: update not started: the program's folder %s has no Windows name that "
                                   "leads back to it ('\\' or ':' in a folder name)\n",
            program.substr(0, program.rfind('\\') + 1).c_str());
        return 1;
    }
    return RunFirstStage(GetExeFolder(), kUpdateStartDelayMs);
}

unsigned RunFirstStage(const std::string& exeFolder, std::uint32_t delayMs)
{
    plat::Sleep(delayMs);
    plat::SetCurrentDirectory(exeFolder);
    ClearWorkingFiles(exeFolder);

    std::string body;
    {
        const std::string url = GetManifestUrl();
        CHttpFetch fetch;
        const int fetched = fetch.FetchText(url, body);
        const std::string status = HttpStatusNote(fetch);
        if (fetched != CHttpFetch::kOk) {
            AppendUpdateDebugLog(exeFolder, "manifest " + url + ": fetch result " + std::to_string(fetched) + status);
            return 1;
        }
        if (!IsAcceptedManifest(body)) {
            AppendUpdateDebugLog(exeFolder, "manifest " + url + ": no " + std::string(kEndMarker) + " after its first byte" + status);
            return 1;
        }
    }
    // Written beside and renamed over the old file: a reader meets the old
    // manifest or the new one, never half of it.
    if (!plat::WriteWholeFile(exeFolder + kManifestFile, body)) {
        AppendUpdateDebugLog(exeFolder, std::string(kManifestFile) + " cannot be written");
        return 1;
    }
    body.clear();
    body.shrink_to_fit();

    // Read as stored, so the capacities count the list's own bytes.
    CTextLines list;
    list.Load(exeFolder + kManifestFile, FileText::Raw);
    std::string line;
    if (list.SeekTag(kListBegin, line) != 0)
        return 1;
    const bool utf8 = plat::IsValidUtf8(list.GetText());
    std::array<CEntryField, 3> fields { { { {}, kDigestCapacity }, { {}, kPathCapacity }, { {}, kUrlCapacity } } };
    const auto readEntryLine = [&](std::string& entry) { return list.ReadValueLine(entry); };
    WalkFileList(exeFolder, kLogFile, kListEnd, readEntryLine, fields, [&](bool fits, CEntryInstaller& installer) {
        const std::string& digest = fields[0].text;
        const std::string path = DecodeListField(fields[1].text, utf8);
        if (!fits || !plat::IsPathInsideFolder(path) || IsUpdateWorkingName(path)) {
            installer.Refuse(path, !fits ? kFieldTooLong : !plat::IsPathInsideFolder(path) ? "not a path inside the program's folder"
                                                                                           : kWorkingName);
            return;
        }
        const std::string target = exeFolder + path;
        if (installer.Digest(target) == digest)
            return;
        CreateFolderPath(target);
        installer.Install(path, digest, DecodeListField(fields[2].text, utf8), target);
    });
    RunSecondStage(exeFolder);
    return 0;
}
