#pragma once

// The updater's log, data\nplv.log: one line per run, "YYYY-MM-DD HH:MM:SS"
// in local time, a space and what the run did, in code page 936 and ending
// in CR LF like the update's own logs. Lines are appended, so the log is
// the history of every run.

#include <ctime>
#include <string>
#include <string_view>

// The line for `text` at `when`, as program text (UTF-8, no line break).
std::string UpdaterLogLine(std::time_t when, std::string_view text);

// Appends the line for `text` at the current time to `folder`data\nplv.log
// (`folder` ends in a backslash). A log that cannot be written is skipped.
void AppendUpdaterLog(const std::string& folder, std::string_view text);
