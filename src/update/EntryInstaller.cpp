#include "update/EntryInstaller.h"

#include "localdata/Paths.h"
#include "localdata/TextLines.h"
#include "platform/fs/FileFind.h"
#include "platform/fs/FileOps.h"
#include "platform/fs/FileStatus.h"
#include "update/EntryFields.h"
#include "update/ExtractFirstEntry.h"
#include "update/InstallTargets.h"
#include "update/WorkingFiles.h"

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

void CEntryInstaller::Refuse(std::string_view name)
{
    m_log.AppendLine(EntryLine(name, "错误"));
}

std::string CEntryInstaller::Unpack(const std::string& download)
{
    const std::string archive = m_strExeFolder + kUnpackArchive;
    // A fresh folder: nothing in it can be a link someone left there.
    const std::string folder = m_strExeFolder + kUnpackFolder;
    if (!plat::RemoveTree(folder) || !plat::CreateDirectory(folder))
        return {};
    if (!plat::MoveFile(download, archive, plat::IfTargetExists::Replace))
        return {};
    std::string extracted;
    ExtractFirstEntry(archive, extracted);
    plat::DeleteFile(archive);
    return extracted;
}

void CEntryInstaller::Install(std::string_view name, std::string_view digest, const std::string& url,
    const std::string& target)
{
    CreateFolderPath(target);
    m_log.AppendLine(EntryLine(name, "...."));

    const std::string download = m_strExeFolder + kDownloadFile;
    plat::RemoveTree(download);
    if (m_fetch.FetchFile(url.c_str(), download.c_str()) != CHttpFetch::kOk) {
        plat::DeleteFile(download);
        return;
    }
    plat::FileFind finder;
    if (finder.FindFile(download)) {
        finder.FindNextFile();
        m_log.AppendLine("FileLength:" + std::to_string(finder.GetLength()));
    }

    const std::string verified = IsZipAddress(url) ? Unpack(download) : download;
    const bool verifiedOk = !verified.empty() && !digest.empty() && Digest(verified) == digest;
    if (verifiedOk) {
        // A replaced file keeps its mode (an updater must stay runnable).
        plat::CopyPermissions(target, verified);
        if (IsStagedExecutable(RelativeToFolder(target, m_strExeFolder)))
            plat::SetExecutable(verified);
    }
    const bool installed = verifiedOk
        && plat::MoveFile(verified, target, plat::IfTargetExists::Replace);
    m_log.AppendLine(EntryLine(name, installed ? "成功" : "错误"));
    plat::DeleteFile(verified);
    plat::DeleteFile(download);
    if (IsZipAddress(url))
        plat::RemoveTree(m_strExeFolder + kUnpackFolder);
}
