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
            std::fflush(stdout);
            for (;;)
                plat::Sleep(1000);
        };
    }
    UpdaterResult result = RunSelfUpdate(GetExeFolder(), options);
    bool upToDate = result == UpdaterResult::Replaced || result == UpdaterResult::NothingStaged
        || result == UpdaterResult::SameVersion;
    return upToDate ? 0 : 1;
}
