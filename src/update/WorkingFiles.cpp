#include "update/WorkingFiles.h"

#include "platform/fs/FileOps.h"
#include "platform/fs/FileStatus.h"

void ClearWorkingFiles(const std::string& exeFolder)
{
    plat::RemoveStaleStagedFiles(exeFolder);
    plat::RemoveStaleStagedFiles(exeFolder + "data\\");
    plat::RemoveTree(exeFolder + kDownloadFile);
    plat::RemoveTree(exeFolder + kUnpackFolder);
    for (const char* log : { "data\\update.txt", "data\\update2.txt" }) {
        plat::FileStatus status;
        if (plat::GetFileStatus(exeFolder + log, status) && (status.attributes & plat::kFileAttributeDirectory))
            plat::RemoveTree(exeFolder + log);
    }
}
