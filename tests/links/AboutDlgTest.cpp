// The About dialog: the version line, the executable's path, and the ways
// it ends.

#include "links/AboutDlg.h"

#include "platform/fs/Process.h"
#include "platform/ui/Automation.h"
#include "platform/ui/EventLoop.h"
#include "support/ModalRun.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using lvtest::Ending;
using lvtest::RunModal;

TEST(AboutDialog, ShowsTheVersionAndTheExecutablesFullPath)
{
    CAboutDlg about;
    std::string title, version, path;
    RunModal(about, { [&] {
        title = about.GetWindowText();
        version = about.GetDlgItemText(IDC_ABOUT_VERSION);
        path = about.GetDlgItemText(IDC_ABOUT_EXEPATH);
    } });
    EXPECT_EQ(title, "关于 Lumivex 液晶显示器测试软件");
    EXPECT_EQ(version, "Lumivex显示器测试器 Ver" LV_VERSION " 正式版");
    EXPECT_EQ(path, plat::GetModuleFileName());
    EXPECT_EQ(path.substr(0, 3), "Z:\\");
    EXPECT_TRUE(path.ends_with("\\test_links")) << path;
}

TEST(AboutDialog, OkEscapeAndTheCloseBoxEndIt)
{
    const struct {
        const char* name;
        std::function<void(CAboutDlg&)> end;
        std::intptr_t result;
    } ways[] = {
        { "OK", [](CAboutDlg& d) { plat::automation::ClickControl(d, plat::IDOK); }, plat::IDOK },
        { "enter", [](CAboutDlg& d) { plat::automation::Key(d, plat::VK_RETURN); }, plat::IDOK },
        { "escape", [](CAboutDlg& d) { plat::automation::Key(d, plat::VK_ESCAPE); }, plat::IDCANCEL },
        { "close box", [](CAboutDlg& d) { plat::automation::CloseBox(d); }, plat::IDCANCEL },
    };
    for (const auto& way : ways) {
        CAboutDlg about;
        EXPECT_EQ(RunModal(about, { [&] { way.end(about); } }, Ending::ByTheSteps), way.result) << way.name;
    }
}

}
