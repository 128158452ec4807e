#pragma once

// The application object's framework part, which the window framework
// leaves to the program: start-up, then the exit path, once per process.
// A dialog-based program runs its main window inside InitInstance, so there
// is no application message loop between the two.

#include "platform/ui/Wnd.h"

#include <string>
#include <vector>

class CWinApp {
public:
    CWinApp() = default;
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up. Whatever it returns, ExitInstance follows: without an
    // application message loop there is nothing else to run.
    virtual bool InitInstance() { return false; }
    // The exit path; its result is the process's exit code.
    virtual int ExitInstance() { return m_nExitCode; }

    // InitInstance, then ExitInstance; returns the exit code.
    int Run();

    // The main window while it runs; null before and after.
    plat::Wnd* m_pMainWnd = nullptr;
    // The name the program was started by, and the arguments after it.
    std::string m_strProgram = "lv.exe";
    std::vector<std::string> m_args;

protected:
    // What the default exit path returns.
    int m_nExitCode = 0;
};
