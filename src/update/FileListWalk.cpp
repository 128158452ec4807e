#include "update/FileListWalk.h"

#include "localdata/TextLines.h"
#include "update/EntryInstaller.h"

void WalkFileList(const std::string& exeFolder, std::string_view logFile, std::string_view listEnd,
    const ReadEntryLineFn& readEntryLine, std::span<CEntryField> fields, const VisitEntryFn& visit)
{
    CTextLines log;
    log.AppendLine(kLogStarted);
    CEntryInstaller installer(exeFolder, log);
    std::string line;
    while (readEntryLine(line) == 0 && line != listEnd)
        visit(ReadEntryFields(line, fields), installer);
    log.AppendLine(kLogFinished);
    log.Save(exeFolder + std::string(logFile));
}
