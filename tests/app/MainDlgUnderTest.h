#pragma once

// The main window under test, run through a script of steps, in a scratch
// folder that stands for the executable's.

#include "app/MainDlg.h"
#include "platform/ui/Automation.h"
#include "support/ModalRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace apptest {

// The main window with its update thread counted instead of started (it
// would change the process's current directory under the next test).
class MainDlgUnderTest : public CMainDlg {
public:
    int updateThreadStarts = 0;

protected:
    void StartUpdateThread() override { ++updateThreadStarts; }
};

using lvtest::RunModal;
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
