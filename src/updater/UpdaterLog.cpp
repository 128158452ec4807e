#include "updater/UpdaterLog.h"

#include "platform/fs/PathMap.h"
#include "platform/text/Cp936.h"

#include <cstdio>

std::string UpdaterLogLine(std::time_t when, std::string_view text)
{
    char stamp[32] = {};
    const std::tm* local = std::localtime(&when);
    if (!local || std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", local) == 0)
        (void)std::snprintf(stamp, sizeof stamp, "0000-00-00 00:00:00");
    return std::string(stamp) + " " + std::string(text);
}

void AppendUpdaterLog(const std::string& folder, std::string_view text)
{
    plat::ConversionResult line = plat::Utf8ToCp936(UpdaterLogLine(std::time(nullptr), text) + "\r\n",
        plat::BadInput::Replace);
    if (!line.Ok())
        return;
    // One write of the whole line in append mode: runs that meet never
    // interleave inside a line.
    std::FILE* log = plat::OpenFile(folder + "data\\nplv.log", "ab");
    if (!log)
        return;
    (void)std::setvbuf(log, nullptr, _IOFBF, line.text.size() + 1);
    (void)std::fwrite(line.text.data(), 1, line.text.size(), log);
    (void)std::fclose(log);
}
