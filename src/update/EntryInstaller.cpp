#include "update/EntryInstaller.h"

#include "localdata/TextLines.h"
#include "platform/fs/FileFind.h"
#include "platform/fs/FileOps.h"
#include "platform/fs/FileStatus.h"
#include "update/DebugLog.h"
#include "update/EntryFields.h"
#include "update/ExtractFirstEntry.h"
#include "update/InstallTargets.h"
#include "update/WorkingFiles.h"

#include <cerrno>
#include <cstring>

namespace {

// Archives are unpacked in a folder of their own, so that an entry named
// like a live file in data\ (the target itself, main.htm, the staged
// lv.exe) never overwrites it or is deleted with the temporary files.
constexpr const char* kUnpackArchive = "data\\unpack_tmp\\data_tmp.dat";

// The staged copy of the program, which the exit hand-over starts from.
bool IsStagedExecutable(std::string_view relativePath)
{
    return relativePath == "data\\lv.exe" || relativePath == "data/lv.exe";
}

std::string EntryLine(std::string_view name, std::string_view outcome)
{
    std::string line = "更新文件:";
    line.append(name);
    line += ' ';
    line.append(outcome);
    return line;
}

}

CEntryInstaller::CEntryInstaller(std::string exeFolder, CTextLines& log)
    : m_strExeFolder(std::move(exeFolder))
    , m_log(log)
{
}

std::string CEntryInstaller::Digest(const std::string& path)
{
    std::string hex;
    m_md5.FileDigest(path, hex);
    return hex;
}

void CEntryInstaller::Refuse(std::string_view name, std::string_view reason)
{
    m_log.AppendLine(EntryLine(name, "错误"));
    Debug(name, "refused: " + std::string(reason));
}

void CEntryInstaller::Debug(std::string_view name, std::string_view reason)
{
    AppendUpdateDebugLog(m_strExeFolder, std::string(name) + ": " + std::string(reason));
}

int CEntryInstaller::Unpack(const std::string& download, std::string& file, std::string& reason)
{
    const std::string archive = m_strExeFolder + kUnpackArchive;
    // A fresh folder: nothing in it can be a link someone left there.
    const std::string folder = m_strExeFolder + kUnpackFolder;
    if (!plat::RemoveTree(folder) || !plat::CreateDirectory(folder)) {
        reason = "the folder " + folder + " cannot be made afresh";
        return 1;
    }
    if (!plat::MoveFile(download, archive, plat::IfTargetExists::Replace)) {
        reason = "the download cannot be moved to " + archive;
        return 1;
    }
    std::string extracted;
    const int result = ExtractFirstEntry(archive, extracted, &reason);
    plat::DeleteFile(archive);
    if (result != 0) {
        if (!extracted.empty())
            plat::DeleteFile(extracted);
        return result;
    }
    file = extracted;
    return 0;
}

void CEntryInstaller::Install(std::string_view name, std::string_view digest, const std::string& url,
    const std::string& target)
{
    m_log.AppendLine(EntryLine(name, "...."));

    const std::string download = m_strExeFolder + kDownloadFile;
    plat::RemoveTree(download);
    if (const int fetched = m_fetch.FetchFile(url.c_str(), download.c_str()); fetched != CHttpFetch::kOk) {
        Debug(name, "download of " + url + " failed: fetch result " + std::to_string(fetched) + HttpStatusNote(m_fetch));
        plat::DeleteFile(download);
        return;
    }
    plat::FileFind finder;
    if (finder.FindFile(download)) {
        finder.FindNextFile();
        m_log.AppendLine("FileLength:" + std::to_string(finder.GetLength()));
    }

    std::string verified = download;
    std::string reason;
    bool verifiedOk = !IsZipAddress(url) || Unpack(download, verified, reason) == 0;
    if (verifiedOk) {
        const std::string found = Digest(verified);
        verifiedOk = !digest.empty() && found == digest;
        if (!verifiedOk) {
            reason = "MD5 " + (found.empty() ? std::string("unreadable") : found) + ", expected "
                + (digest.empty() ? std::string("none") : std::string(digest)) + HttpStatusNote(m_fetch);
        }
    }
    if (verifiedOk) {
        // A replaced file keeps its mode (an updater must stay runnable).
        plat::CopyPermissions(target, verified);
        if (IsStagedExecutable(RelativeToFolder(target, m_strExeFolder)))
            plat::SetExecutable(verified);
    }
    errno = 0;
    const bool installed = verifiedOk
        && plat::MoveFile(verified, target, plat::IfTargetExists::Replace);
    if (verifiedOk && !installed) {
        reason = "cannot be put in place at " + target;
        if (errno != 0)
            reason += std::string(" (") + std::strerror(errno) + ")";
    }
    m_log.AppendLine(EntryLine(name, installed ? "成功" : "错误"));
    if (!installed)
        Debug(name, reason);
    plat::DeleteFile(verified);
    plat::DeleteFile(download);
    if (IsZipAddress(url))
        plat::RemoveTree(m_strExeFolder + kUnpackFolder);
}
