// Entry point of lv.exe. The program reads no command line: everything it
// needs is beside the executable.

#include "app/LumivexApp.h"

namespace {

CLumivexApp theApp;

}

int main()
{
    return theApp.Run();
}
