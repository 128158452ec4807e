// Entry point of lv.exe. Everything the program needs is beside the
// executable; the command line only asks for a test pattern on its own, the
// pattern list, the usage or the version.

#include "app/LumivexApp.h"
#include "platform/gfx/FontFace.h"
#include "platform/intl/Translate.h"

#include <string_view>

namespace {

CLumivexApp theApp;

}

int main(int argc, char** argv)
{
    // Shown in English, Latin text reads better in a proportional face than
    // in the Song face's fixed-width letters.
    if (plat::StartTranslations())
        plat::PreferLatinFaces({ "Liberation Sans", "DejaVu Sans" });
    if (argc > 0 && argv[0]) {
        std::string_view program = argv[0];
        theApp.m_strProgram = program.substr(program.find_last_of('/') + 1);
    }
    for (int i = 1; i < argc; ++i)
        theApp.m_args.emplace_back(argv[i]);
    return theApp.Run();
}
