#pragma once

// Unpacks the first entry of a zip archive into the archive's own folder,
// under the entry's stored name; folders named in it are made there.
// Returns 0 on success, 1 on any failure. `extractedPath` receives the full
// Windows path of the output file as soon as it has been created; a failure
// after that leaves the (partial) file there for the caller to check and
// delete. The output gets the entry's last-write time and is never read-only.
// Entry names that would leave the archive's folder are refused. On a
// failure `reason`, when given, receives why (the zip reader's or the file's
// error).

#include <string>

int ExtractFirstEntry(std::string archivePath, std::string& extractedPath, std::string* reason = nullptr);
