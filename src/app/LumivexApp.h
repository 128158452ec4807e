#pragma once

// The program's application object: prepares the process, runs the main
// window modally, then takes the exit path (test archives removed, a staged
// new version handed to the updater).

#include "app/WinApp.h"

class CLumivexApp : public CWinApp {
public:
    CLumivexApp() = default;
    ~CLumivexApp() override = default;

    // Runs the main window and returns false once it has closed.
    bool InitInstance() override;
    int ExitInstance() override;
};
