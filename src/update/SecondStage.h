#pragma once

// The second update stage: install the files of the manifest's second list
// that do not exist yet, at destinations inside the executable's folder
// (LOCAL_PATH) or the Program Files folder (PROGRESS_PATH), and write the
// log data\update2.txt. Files that exist are never touched.

#include <string>

// RunSecondStage for the executable's folder.
int RunSecondStage();

// The stage for the executable folder `exeFolder` (a Windows path ending in
// a backslash). 1 when data\main.htm there has no line starting with
// "[FILE_LIST2_BEGIN]" (nothing is done), else 0 once the log is written.
int RunSecondStage(const std::string& exeFolder);

// The destination template with every "LOCAL_PATH" replaced by `exeFolder`,
// then every "PROGRESS_PATH" by `programFiles`.
std::string ResolveDestination(std::string destination, const std::string& exeFolder, const std::string& programFiles);
