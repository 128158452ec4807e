#include "updater/SelfUpdater.h"

#include "platform/fs/FileLock.h"
#include "platform/fs/FileOps.h"
#include "platform/fs/Process.h"
#include "platform/sys/ExecutableCheck.h"
#include "platform/sys/RunningProgram.h"
#include "update/Md5.h"
#include "updater/UpdaterLog.h"

#include <chrono>
#include <cstdint>

namespace {

using plat::ExecutableCheck;

const char* Describe(ExecutableCheck check)
{
    switch (check) {
    case ExecutableCheck::Ok:
        return "可以运行";
    case ExecutableCheck::Missing:
        return "不存在";
    case ExecutableCheck::SymbolicLink:
        return "是符号链接";
    case ExecutableCheck::Folder:
        return "是文件夹";
    case ExecutableCheck::NotRegular:
        return "不是普通文件";
    case ExecutableCheck::Unreadable:
        return "无法读取";
    case ExecutableCheck::Empty:
        return "是空文件";
    case ExecutableCheck::TooLarge:
        return "大于 256 MB";
    case ExecutableCheck::NotExecutable:
        return "不是可执行程序";
    case ExecutableCheck::OtherMachine:
        return "不是本机可以运行的程序";
    case ExecutableCheck::Truncated:
        return "不完整";
    }
    return "无法检查";
}

std::string Digest(const std::string& path)
{
    CMd5 md5;
    std::string hex;
    md5.FileDigest(path, hex);
    return hex;
}

class Run {
public:
    Run(const std::string& folder, const UpdaterOptions& options)
        : m_folder(folder)
        , m_options(options)
    {
    }

    UpdaterResult Go()
    {
        plat::FileLock lock;
        switch (lock.TryLock(m_folder + "data\\nplv.lock")) {
        case plat::FileLock::Result::Locked:
            break;
        case plat::FileLock::Result::Busy:
            return Log(UpdaterResult::Busy, "另一个 nplv.exe 正在更新,本次未做任何更改");
        case plat::FileLock::Result::Failed:
            if (plat::CheckExecutable(m_staged, kMaxProgramSize) == ExecutableCheck::Missing)
                return UpdaterResult::NothingStaged;
            return Log(UpdaterResult::Failed, "无法锁定 data\\nplv.lock,未做任何更改");
        }
        Step("locked");
        // Left by a run that was cut off while copying; no other run writes now.
        plat::DeleteAbandonedCopies(m_program + ".new");
        plat::DeleteAbandonedCopies(m_program + ".old");
        if (plat::CheckExecutable(m_staged, kMaxProgramSize) == ExecutableCheck::Missing)
            return Log(UpdaterResult::NothingStaged, "没有 data\\lv.exe,无需更新");
        // An lv.exe that cannot be replaced is refused before waiting: a
        // link's target may be a program that others run.
        ExecutableCheck current = plat::CheckExecutable(m_program, UINT64_MAX);
        if (current == ExecutableCheck::Missing || current == ExecutableCheck::SymbolicLink
            || current == ExecutableCheck::Folder || current == ExecutableCheck::NotRegular)
            return Log(UpdaterResult::Rejected, std::string("lv.exe ") + Describe(current) + ",未更新");
        if (!WaitForProgramEnd())
            return Log(UpdaterResult::StillRunning, "lv.exe 仍在运行,等待 " + std::to_string(m_options.waitLimitMs / 1000) + " 秒后放弃,未做任何更改");
        Step("waited");
        // Checked once lv.exe has ended, so its update thread no longer writes it.
        if (ExecutableCheck staged = plat::CheckExecutable(m_staged, kMaxProgramSize); staged != ExecutableCheck::Ok)
            return Log(UpdaterResult::Rejected, std::string("data\\lv.exe ") + Describe(staged) + ",未更新");
        std::string newDigest = Digest(m_staged);
        if (newDigest.empty())
            return Log(UpdaterResult::Rejected, "data\\lv.exe 无法读取,未更新");
        if (newDigest == Digest(m_program))
            return Log(UpdaterResult::SameVersion, "data\\lv.exe 与 lv.exe 相同,无需更新");
        Step("checked");
        return Replace(newDigest);
    }

private:
    UpdaterResult Replace(const std::string& newDigest)
    {
        const std::string fresh = m_program + ".new";
        const std::string old = m_program + ".old";
        if (!plat::CopyFile(m_staged, fresh, plat::IfTargetExists::Replace) || !plat::SetExecutable(fresh)
            || Digest(fresh) != newDigest) {
            plat::DeleteFile(fresh);
            return Log(UpdaterResult::Failed, "无法写入 lv.exe.new(磁盘已满或不可写?),lv.exe 未改变");
        }
        Step("copied");
        if (!plat::CopyFile(m_program, old, plat::IfTargetExists::Replace)) {
            plat::DeleteFile(fresh);
            return Log(UpdaterResult::Failed, "无法保存 lv.exe.old(磁盘已满或不可写?),lv.exe 未改变");
        }
        Step("kept-old");
        if (!plat::MoveFile(fresh, m_program, plat::IfTargetExists::Replace)) {
            plat::DeleteFile(fresh);
            return Log(UpdaterResult::Failed, "无法替换 lv.exe,lv.exe 未改变");
        }
        plat::FlushFolder(m_folder);
        Step("replaced");
        return Log(UpdaterResult::Replaced, "lv.exe 已更新为 data\\lv.exe,原来的保存为 lv.exe.old");
    }

    bool WaitForProgramEnd()
    {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(m_options.waitLimitMs);
        while (plat::IsProgramRunning(m_program)) {
            if (Clock::now() >= deadline)
                return false;
            plat::Sleep(m_options.pollMs);
        }
        return true;
    }

    void Step(std::string_view name) const
    {
        if (m_options.atStep)
            m_options.atStep(name);
    }

    UpdaterResult Log(UpdaterResult result, std::string_view text) const
    {
        AppendUpdaterLog(m_folder, text);
        return result;
    }

    const std::string m_folder;
    const std::string m_program = m_folder + "lv.exe";
    const std::string m_staged = m_folder + "data\\lv.exe";
    const UpdaterOptions& m_options;
};

}

UpdaterResult RunSelfUpdate(const std::string& folder, const UpdaterOptions& options)
{
    if (folder.empty() || folder.back() != '\\')
        return UpdaterResult::Failed;
    return Run(folder, options).Go();
}
