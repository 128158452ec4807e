#pragma once

// The executable's folder and the other folders the program builds paths
// from. Paths are Windows paths; folders end in a backslash.

#include <string>

// Folder of the running executable ("Z:\home\u\lumivex\"); empty when the
// executable's path cannot be read or its Windows name does not lead back to
// it (a Linux folder name holding '\' or ':'), so that no path built from it
// names another folder.
std::string GetExeFolder();

// GetExeFolder(), made the process's current directory as well (a failure to
// enter it is ignored).
std::string EnterExeFolder();

// Creates every folder along `path`: each prefix that ends in a backslash,
// after '/' is read as '\' and doubled backslashes are collapsed. The text
// after the last backslash is never created. Failures (a folder that exists
// already) are ignored. 1 when the path has no drive letter, else 0.
int CreateFolderPath(std::string path);

// The ProgramFiles environment variable with a trailing backslash; "C:\"
// when it is not set.
std::string GetProgramFilesDir();

// Deletes the files data\test_*.zip in the executable's folder (folders and
// failures are skipped). Always 0.
int DeleteTestZips();
