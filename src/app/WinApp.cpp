#include "app/WinApp.h"

int CWinApp::Run()
{
    InitInstance();
    return ExitInstance();
}
