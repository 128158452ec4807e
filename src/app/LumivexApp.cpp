#include "app/LumivexApp.h"

#include "app/CommandLineRun.h"
#include "app/Fonts.h"
#include "app/FormatText.h"
#include "app/MainDlg.h"
#include "localdata/Paths.h"
#include "platform/fs/CurrentDirectory.h"
#include "platform/fs/Process.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/intl/Translate.h"
#include "platform/ui/DisplayCheck.h"
#include "platform/ui/EventLoop.h"
#include "update/SelfUpdate.h"
#include "widgets/CaptionFont.h"

#include <cstdio>

bool CLumivexApp::InitInstance()
{
    // Any option is carried out on its own: no main window, no update.
    const CommandLine command = ParseCommandLine(m_args);
    // A window needs a display: without one the program says what it tried
    // and ends before it starts a thread or writes a file.
    const bool window = command.action == CommandLine::Action::MainWindow || command.action == CommandLine::Action::Test
        || command.action == CommandLine::Action::Inspect;
    if (window && !plat::InitUi()) {
        const std::string line = m_strProgram + ": "
            + FormatText(plat::TranslateFormat("无法打开显示 (试过 %s)"), plat::DisplayAttempts().c_str()) + "\n";
        (void)std::fputs(line.c_str(), stderr);
        m_nExitCode = 1;
        return false;
    }
    if (command.action != CommandLine::Action::MainWindow) {
        m_nExitCode = RunCommandLine(command, m_strProgram);
        return false;
    }
    m_bMainWindow = true;

    // Dialogs host the web panel as they are: no control container to enable.

    // Every relative path of the program, data\main.htm among them, is
    // resolved beside the executable from here on, wherever it was started.
    // A folder whose own name holds '\' or ':' has no Windows name that leads
    // back to it; relative paths then name nothing, so that the folder the
    // program was started from is never read or written instead.
    m_bOwnFolder = plat::ModuleFileNameRoundTrips();
    if (m_bOwnFolder) {
        EnterExeFolder();
    } else {
        (void)std::fputs(plat::Translate("lv.exe: 程序所在的文件夹名含有 '\\' 或 ':',无法按 Windows 路径找到它;"
                                         "本次使用内置设置运行,不读写 data\\,退出时不更新\n")
                             .c_str(),
            stderr);
        plat::LeaveCurrentDirectory();
    }

    g_fonts[0].CreateFont(12, 0, 0, 0, plat::FW_NORMAL, 0, 0, 0, plat::ANSI_CHARSET, plat::OUT_DEFAULT_PRECIS,
        plat::CLIP_DEFAULT_PRECIS, plat::DEFAULT_QUALITY, plat::DEFAULT_PITCH | plat::FF_SWISS, "宋体");
    BindCaptionFont(&g_fonts[0]);

    // Controls have one look here: no three-dimensional look to enable.

    // A data path that is a file, or a folder that cannot be written, leaves
    // the program running on its built-in defaults.
    if (m_bOwnFolder)
        CreateFolderPath(GetExeFolder() + "data\\");

    CMainDlg dlg;
    m_pMainWnd = &dlg;
    if (dlg.DoModal() < 0) {
        (void)std::fputs("lv.exe: the main window could not be opened (is there a display?)\n", stderr);
        m_nExitCode = 1;
    }
    m_pMainWnd = nullptr;
    return false;
}

int CLumivexApp::ExitInstance()
{
    if (m_bMainWindow && m_bOwnFolder)
        ExitUpdate();
    return CWinApp::ExitInstance();
}
