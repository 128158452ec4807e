#include "update/SecondStage.h"

#include "localdata/Paths.h"
#include "localdata/TextLines.h"
#include "platform/AsciiCase.h"
#include "platform/fs/FileFind.h"
#include "platform/text/Utf8.h"
#include "update/EntryFields.h"
#include "update/EntryInstaller.h"
#include "update/FileBuffer.h"
#include "update/InstallTargets.h"

#include <array>

namespace {

constexpr std::string_view kListBegin = "[FILE_LIST2_BEGIN]";
constexpr std::string_view kListEnd = "[FILE_LIST2_END]";
constexpr std::string_view kFileKind = "file";
constexpr const char* kManifestFile = "data\\main.htm";
constexpr const char* kLogFile = "data\\update2.txt";

// Field capacities of a second-list entry: kind, digest, destination, url.
constexpr std::size_t kKindCapacity = 49;
constexpr std::size_t kDigestCapacity = 49;
constexpr std::size_t kDestinationCapacity = 254;
constexpr std::size_t kUrlCapacity = 254;

void ReplaceAll(std::string& text, std::string_view from, const std::string& to)
{
    for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
}

// True when anything, a file or a folder, answers to the name; wildcard
// characters in it act as a pattern.
bool Exists(const std::string& name)
{
    plat::FileFind finder;
    return finder.FindFile(name);
}

}

std::string ResolveDestination(std::string destination, const std::string& exeFolder, const std::string& programFiles)
{
    ReplaceAll(destination, "LOCAL_PATH", exeFolder);
    ReplaceAll(destination, "PROGRESS_PATH", programFiles);
    return destination;
}

int RunSecondStage()
{
    return RunSecondStage(GetExeFolder());
}

int RunSecondStage(const std::string& exeFolder)
{
    CFileBuffer manifest;
    manifest.Load(exeFolder + kManifestFile);
    std::string line;
    if (manifest.FindLineStartingWith(kListBegin, line) != 0)
        return 1;

    CTextLines log;
    log.AppendLine(kLogStarted);
    const std::string programFiles = GetProgramFilesDir();
    // List lines are bytes as stored; the fields become program text.
    const bool utf8 = plat::IsValidUtf8(manifest.GetText());
    CEntryInstaller installer(exeFolder, log);

    std::array<CEntryField, 4> fields {
        { { {}, kKindCapacity }, { {}, kDigestCapacity }, { {}, kDestinationCapacity }, { {}, kUrlCapacity } }
    };
    while (manifest.ReadEntryLine(line) == 0 && line != kListEnd) {
        const bool fits = ReadEntryFields(line, fields);
        if (!plat::EqualsIgnoringAsciiCase(fields[0].text, kFileKind))
            continue;
        const std::string& digest = fields[1].text;
        const std::string destination = DecodeListField(fields[2].text, utf8);
        if (!fits) {
            installer.Refuse(destination, kFieldTooLong);
            continue;
        }
        const std::string target = ResolveDestination(destination, exeFolder, programFiles);
        // Only the program's own folders, and never the update's own files.
        const std::string located = LocateDestination(target, exeFolder);
        if (!IsAllowedDestination(located, exeFolder, programFiles)) {
            installer.Refuse(destination, located + " lies outside the program's folder and the Program Files folder");
            continue;
        }
        if (IsUpdateWorkingName(RelativeToFolder(located, exeFolder))) {
            installer.Refuse(destination, kWorkingName);
            continue;
        }
        if (Exists(located))
            continue;
        // Folders are made for a full path only: a relative destination whose
        // folder is missing is not installed.
        CreateFolderPath(target);
        installer.Install(destination, digest, DecodeListField(fields[3].text, utf8), located);
    }

    log.AppendLine(kLogFinished);
    log.Save(exeFolder + kLogFile);
    return 0;
}
