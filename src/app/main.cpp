// Entry point of lv.exe. The program reads no command line: everything it
// needs is beside the executable.

#include "app/LumivexApp.h"
#include "platform/intl/Translate.h"

namespace {

CLumivexApp theApp;

}

int main()
{
    plat::StartTranslations();
    return theApp.Run();
}
