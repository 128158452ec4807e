#pragma once

// Why an update step failed, for whoever looks into a failed update: the
// update's two logs record only "错误" for an entry, so each failure's reason
// (the zip reader's, the fetch's result and HTTP status, a file error) goes
// as one line to data\update-debug.log. UTF-8, LF, each line stamped with
// the local time; once the file passes kDebugLogLimit bytes its older half
// is dropped.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr const char* kDebugLogFile = "data\\update-debug.log";
inline constexpr std::size_t kDebugLogLimit = 64 * 1024;

// Appends "YYYY-MM-DD HH:MM:SS <reason>" to the debug log in `exeFolder`'s
// data\ folder. Line breaks in `reason` become spaces. Failures to write are
// ignored: the debug log never changes what the update does.
void AppendUpdateDebugLog(const std::string& exeFolder, std::string_view reason);
