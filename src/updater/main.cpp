// nplv.exe, the updater lv.exe starts at exit with "update" when it has
// staged a new version of itself. It works in its own folder, which is the
// program folder, shows nothing, and ends with 0 when lv.exe is up to date
// (replaced now, or nothing to do) and 1 otherwise.

#include "localdata/Paths.h"
#include "platform/fs/Process.h"
#include "updater/SelfUpdater.h"

#include <cstdio>
#include <string_view>

int main(int argc, char** argv)
{
    if (argc != 2 || std::string_view(argv[1]) != "update")
        return 1;
    UpdaterOptions options;
    // LUMIVEX_UPDATER_PAUSE=<step> stops the run at that step, once it has
    // printed the step's name, until it is killed: tests cut runs off there.
    if (auto pause = plat::GetEnvironmentVariable("LUMIVEX_UPDATER_PAUSE")) {
        options.atStep = [name = *pause](std::string_view step) {
            if (step != name)
                return;
            std::printf("%s\n", name.c_str());
            (void)std::fflush(stdout);
            for (;;)
                plat::Sleep(1000);
        };
    }
    // Every path of the run is built from the folder's Windows name; when
    // that name leads to another folder nothing may be done, and the log in
    // data\ is out of reach too, so the reason goes to standard error.
    if (!plat::ModuleFileNameRoundTrips()) {
        (void)std::fputs("nplv.exe: 程序所在的文件夹名含有 '\\' 或 ':',无法按 Windows 路径找到它;未做任何更改\n", stderr);
        return 1;
    }
    UpdaterResult result = RunSelfUpdate(GetExeFolder(), options);
    bool upToDate = result == UpdaterResult::Replaced || result == UpdaterResult::NothingStaged
        || result == UpdaterResult::SameVersion;
    return upToDate ? 0 : 1;
}
