#include "update/DebugLog.h"

#include "platform/fs/PathMap.h"
#include "platform/fs/WholeFile.h"

#include <cstdio>
#include <ctime>

namespace {

std::string Stamped(std::string_view reason)
{
    char stamp[32] = "0000-00-00 00:00:00";
    const std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now))
        (void)std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", local);
    std::string line = std::string(stamp) + " " + std::string(reason);
    for (char& c : line) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return line + "\n";
}

}

void AppendUpdateDebugLog(const std::string& exeFolder, std::string_view reason)
{
    const std::string path = exeFolder + kDebugLogFile;
    const std::string line = Stamped(reason);
    std::FILE* log = plat::OpenFile(path, "ab");
    if (!log)
        return;
    // One write of the whole line: runs that meet never interleave inside it.
    (void)std::setvbuf(log, nullptr, _IOFBF, line.size() + 1);
    (void)std::fwrite(line.data(), 1, line.size(), log);
    const long size = std::ftell(log);
    (void)std::fclose(log);
    if (size < 0 || static_cast<std::size_t>(size) <= kDebugLogLimit)
        return;
    // Past the limit: keep the newer half, from a line's start.
    std::string text;
    if (!plat::ReadWholeFile(path, text) || text.size() <= kDebugLogLimit)
        return;
    const std::size_t cut = text.find('\n', text.size() - kDebugLogLimit / 2);
    text.erase(0, cut == std::string::npos ? text.size() : cut + 1);
    plat::WriteWholeFile(path, text);
}
