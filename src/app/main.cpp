// Entry point of lv.exe. Without options the program reads no command line:
// everything it needs is beside the executable. `--version` prints the
// About dialog's version line and ends, for packages and scripts.

#include "app/LumivexApp.h"
#include "links/AboutDlg.h"
#include "platform/intl/Translate.h"

#include <cstdio>
#include <string_view>

namespace {

CLumivexApp theApp;

}

int main(int argc, char** argv)
{
    plat::StartTranslations();
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("%s\n", AboutVersionText().c_str());
        return 0;
    }
    return theApp.Run();
}
