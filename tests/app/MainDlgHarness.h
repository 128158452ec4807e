#pragma once

// The main window driven from a test: a script runs inside its modal loop
// once start-up has settled, the window ends once the script's work is
// done, and the update thread is counted instead of started (it would
// change the process's current directory under the next test).

#include "app/MainDlg.h"
#include "platform/ui/Automation.h"
#include "platform/ui/EventLoop.h"
#include "support/ModalRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace apptest {

class MainDlgUnderTest : public CMainDlg {
public:
    int updateThreadStarts = 0;
    std::function<void(MainDlgUnderTest&)> script;

protected:
    bool OnInitDialog() override
    {
        bool result = CMainDlg::OnInitDialog();
        plat::PostIdleTask([this] { RunScript(); });
        return result;
    }
    void StartUpdateThread() override { ++updateThreadStarts; }

private:
    void RunScript()
    {
        if (script)
            script(*this);
        // Idle rounds let nested runs the script started end first. A
        // script that ended the window itself leaves nothing to end: the
        // object may be gone by then (window handles are never reused).
        plat::HWND self = GetSafeHwnd();
        lvtest::AtTheEnd([this, self] {
            if (plat::Wnd::FromHandle(self) == this)
                EndDialog(plat::IDOK);
        });
    }
};

// Ends the process if a modal run never ends.
inline void StartWatchdog() { lvtest::StartWatchdog(30); }

using lvtest::Then;

// A scratch folder that is the current directory for the test's duration,
// as the executable's folder is for the program.
class ScratchCurrentFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_old = std::filesystem::current_path();
        std::filesystem::current_path(m_folder.Native());
    }
    void TearDown() override { std::filesystem::current_path(m_old); }

    void WriteMainHtm(const std::string& text)
    {
        std::filesystem::create_directories(m_folder.Native("data"));
        lvtest::WriteNative(m_folder.Native("data/main.htm"), text);
    }

    lvtest::TempFolder m_folder;
    std::filesystem::path m_old;
};

}
