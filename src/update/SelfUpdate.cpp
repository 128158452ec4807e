#include "update/SelfUpdate.h"

#include "localdata/Paths.h"
#include "platform/fs/FileFind.h"
#include "platform/sys/ShellOpen.h"
#include "update/Md5.h"

#include <atomic>
#include <string>

namespace {

std::atomic<bool> g_updaterStarted = false;

}

int NeedsSelfUpdate()
{
    plat::FileFind finder;
    if (!finder.FindFile("data\\lv.exe"))
        return 0;
    CMd5 md5;
    std::string staged;
    std::string running;
    md5.FileDigest("data\\lv.exe", staged);
    md5.FileDigest("lv.exe", running);
    return staged == running ? 0 : 1;
}

int ExitUpdate()
{
    DeleteTestZips();
    if (NeedsSelfUpdate() != 1 || g_updaterStarted.exchange(true))
        return 0;
    return plat::ShellOpen("nplv.exe", "update") == 0 ? 1 : 0;
}
