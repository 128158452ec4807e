#pragma once

// The update's own working names in data\: the download, the folder
// archives are unpacked in, and the two logs.

#include <string>

inline constexpr const char* kDownloadFile = "data\\data_tmp.dat";
inline constexpr const char* kUnpackFolder = "data\\unpack_tmp\\";

// Clears what an earlier run (a killed one, or one fed a hostile list) left
// at those names, so this run can use them: the download and the unpack
// folder go whatever they are, a folder standing at a log's name goes, and
// so do the half-written files of a killed writer in data\ and beside it.
void ClearWorkingFiles(const std::string& exeFolder);
