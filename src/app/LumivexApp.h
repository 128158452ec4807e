#pragma once

// The program's application object: prepares the process, runs the main
// window modally, then takes the exit path (test archives removed, a staged
// new version handed to the updater). A command line with options is
// carried out instead, without the main window and without the exit path.

#include "app/WinApp.h"

class CLumivexApp : public CWinApp {
public:
    CLumivexApp() = default;
    ~CLumivexApp() override = default;

    // Runs the main window and returns false once it has closed.
    bool InitInstance() override;
    int ExitInstance() override;

private:
    // False when the executable's folder has no Windows name: the program
    // then runs on its built-in data, without data\ and without the exit
    // hand-over, as every path into that folder would lead to another one.
    bool m_bOwnFolder = true;
    // The main window ran (no option was given), so the exit path runs too.
    bool m_bMainWindow = false;
};
