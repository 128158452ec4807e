// The About dialog: the version line, the executable's path, and the ways
// it ends.

#include "links/AboutDlg.h"

#include "platform/fs/Process.h"
#include "platform/ui/Automation.h"
#include "platform/ui/EventLoop.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the dialog with `step` queued once it is up and idle.
std::intptr_t RunAbout(CAboutDlg& about, const std::function<void(CAboutDlg&)>& step)
{
    plat::PostIdleTask([&about, step] { step(about); });
    return about.DoModal();
}

TEST(AboutDialog, ShowsTheVersionAndTheExecutablesFullPath)
{
    CAboutDlg about;
    std::string title, version, path;
    RunAbout(about, [&](CAboutDlg& d) {
        title = d.GetWindowText();
        version = d.GetDlgItemText(IDC_ABOUT_VERSION);
        path = d.GetDlgItemText(IDC_ABOUT_EXEPATH);
        d.EndDialog(plat::IDOK);
    });
    EXPECT_EQ(title, "关于 Lumivex 液晶显示器测试软件");
    EXPECT_EQ(version, "Lumivex显示器测试器 Ver" LV_VERSION " 正式版");
    EXPECT_EQ(path, plat::GetModuleFileName());
    EXPECT_EQ(path.substr(0, 3), "Z:\\");
    EXPECT_TRUE(path.ends_with("\\test_links")) << path;
}

TEST(AboutDialog, OkEscapeAndTheCloseBoxEndIt)
{
    CAboutDlg ok;
    EXPECT_EQ(RunAbout(ok, [](CAboutDlg& d) { plat::automation::ClickControl(d, plat::IDOK); }), plat::IDOK);
    CAboutDlg enter;
    EXPECT_EQ(RunAbout(enter, [](CAboutDlg& d) { plat::automation::Key(d, plat::VK_RETURN); }), plat::IDOK);
    CAboutDlg escape;
    EXPECT_EQ(RunAbout(escape, [](CAboutDlg& d) { plat::automation::Key(d, plat::VK_ESCAPE); }), plat::IDCANCEL);
    CAboutDlg closeBox;
    EXPECT_EQ(RunAbout(closeBox, [](CAboutDlg& d) { plat::automation::CloseBox(d); }), plat::IDCANCEL);
}

}
