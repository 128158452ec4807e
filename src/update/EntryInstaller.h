#pragma once

// The steps both update stages take for one listed file that needs
// installing: download, unpack a zip delivery, verify by MD5, copy into
// place, and the log lines that record it. Why an entry failed goes to the
// debug log (update/DebugLog.h); the stage logs keep their lines.

#include "update/HttpFetch.h"
#include "update/Md5.h"

#include <string>
#include <string_view>

class CTextLines;

// The log lines of both stages.
inline constexpr std::string_view kLogStarted = "检测更新";
inline constexpr std::string_view kLogFinished = "更新完成";

// Reasons for refusing an entry that both stages give.
inline constexpr std::string_view kFieldTooLong = "a field of the entry is longer than it may be";
inline constexpr std::string_view kWorkingName = "the target is one of the update's own working files";

class CEntryInstaller {
public:
    // `exeFolder` ends in a backslash; the temporary files live in its
    // data\ folder. Log lines are appended to `log`.
    CEntryInstaller(std::string exeFolder, CTextLines& log);

    // The MD5 digest of the file as 32 lowercase hexadecimal digits; empty
    // when the file cannot be read, which never equals a listed digest.
    std::string Digest(const std::string& path);

    // Logs "更新文件:<name> ....", downloads
    // `url` to data\data_tmp.dat and, when the file there (or, for a ".zip"
    // address, the archive's first entry) has `digest`, puts it in place of
    // `target` and logs "成功"; a file with another digest or a failure to
    // put it in place (its folder missing among others) logs "错误" and
    // leaves the target as it was. A failed
    // download leaves the "...." line alone. No temporary file is left.
    //
    // The verified file is renamed onto the target (across file systems it
    // is copied beside the target and renamed), so the target is replaced
    // whole or not at all, and no second copy of the data is written.
    void Install(std::string_view name, std::string_view digest, const std::string& url, const std::string& target);

    // Logs "更新文件:<name> 错误" for an entry that is not installed at all,
    // and `reason` to the debug log.
    void Refuse(std::string_view name, std::string_view reason);

private:
    // Unpacks the archive's first entry into `file`: 0, or 1 with `file`
    // empty (a partly written entry is deleted, never handed back) and
    // `reason` saying why.
    int Unpack(const std::string& download, std::string& file, std::string& reason);
    void Debug(std::string_view name, std::string_view reason);

    std::string m_strExeFolder;
    CTextLines& m_log;
    CHttpFetch m_fetch;
    CMd5 m_md5;
};
