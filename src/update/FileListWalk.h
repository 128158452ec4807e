#pragma once

// The walk both update stages make over their file list: the stage log
// opens with kLogStarted, each entry line up to the list's end line is read
// into the stage's fields and handed to the stage, and the log closes with
// kLogFinished and is saved.

#include "update/EntryFields.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

class CEntryInstaller;

// Reads the list's next entry line: 0 with the line, 1 when the file ends.
using ReadEntryLineFn = std::function<int(std::string& line)>;
// Acts on one entry, its words in the fields; `fits` is false when a word
// was cut to its field's capacity.
using VisitEntryFn = std::function<void(bool fits, CEntryInstaller& installer)>;

// Reads entry lines until one equals `listEnd` or the file ends, and saves
// the log as `exeFolder` + `logFile`.
void WalkFileList(const std::string& exeFolder, std::string_view logFile, std::string_view listEnd,
    const ReadEntryLineFn& readEntryLine, std::span<CEntryField> fields, const VisitEntryFn& visit);
