// A click on the main window's software bar, made visible: the entry under
// the cursor is started through the launcher with its title, key and
// executable; a click between entries starts nothing.

#include "MainDlgUnderTest.h"

#include "support/RecordingProgram.h"

#include <algorithm>
#include <cstdlib>

using namespace apptest;
using plat::Point;
using plat::Rect;

namespace {

class SoftBarClick : public ScratchCurrentFolder {
protected:
    void SetUp() override
    {
        ScratchCurrentFolder::SetUp();
        m_oldPath = std::getenv("PATH");
        ::setenv("PATH", (m_folder.Native("bin") + ":" + m_oldPath).c_str(), 1);
        ::setenv("LUMIVEX_REGISTRY", m_folder.Native("registry.reg").c_str(), 1);
        lvtest::WriteRecordingProgram(m_folder.Native("bin/xdg-open"), Log());
    }
    void TearDown() override
    {
        ::setenv("PATH", m_oldPath.c_str(), 1);
        ::unsetenv("LUMIVEX_REGISTRY");
        ScratchCurrentFolder::TearDown();
    }

    std::string Log() const { return m_folder.Native("runs.log"); }

    std::string m_oldPath;
};

Point Middle(const Rect& r)
{
    return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}

}

TEST_F(SoftBarClick, StartsTheEntryUnderTheCursorOrNothing)
{
    // "fake" is installed in apps\; "absent" has no registry entry.
    lvtest::WriteRecordingProgram(m_folder.Native("apps/fake.exe"), Log());
    std::string folder = m_folder.Windows("apps") + "\\";
    std::string escaped;
    for (char c : folder)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    lvtest::WriteNative(m_folder.Native("registry.reg"),
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\software\\brindle\\fake]\n\"path\"=\"" + escaped + "\"\n");
    WriteMainHtm("[SOFT_HOMEPAGE_absent]\r\nhttp://absent.example/\r\n[TAMREL_BEGIN]\r\n"
                 "假的,fake,fake.exe,100,假的程序\r\n没有,absent,absent.exe,100,没有的程序\r\n[TAMREL_END]\r\n");

    MainDlgUnderTest dlg;
    bool modalAfterGap = true;
    std::size_t runsAfterGap = 1;
    std::string message;
    RunModal(dlg, { [&] {
        CSoftBar& bar = dlg.m_softBar;
        bar.ShowWindow(plat::SW_SHOW);
        ASSERT_EQ(bar.m_nCount, 2);
        const Rect first = bar.m_entries[0].rect;
        const Rect second = bar.m_entries[1].rect;
        plat::automation::Click(bar, { first.right + 2, Middle(first).y });
        lvtest::AfterEverything([&, first, second] {
            modalAfterGap = plat::automation::ActiveModalWindow() != &dlg;
            runsAfterGap = lvtest::Exists(Log());
            plat::automation::Click(bar, Middle(first));
            lvtest::AfterEverything([&, second] {
                plat::automation::Click(bar, Middle(second));
                lvtest::AfterEverything([&] {
                    plat::Wnd* box = plat::automation::ActiveModalWindow();
                    ASSERT_TRUE(box && box != &dlg);
                    message = box->GetDlgItem(-1)->GetWindowText();
                    plat::automation::Key(*box, plat::VK_RETURN);
                    // Off the bar again, for the windows of later tests.
                    plat::automation::SetCursorPos({ -100, -100 });
                });
            });
        });
    } });

    EXPECT_FALSE(modalAfterGap);
    EXPECT_EQ(runsAfterGap, 0u);
    EXPECT_EQ(message, "本机还未安装本软件\r\n请去官网下载本软件《没有的程序》\r\nhttp://absent.example/");
    std::vector<std::string> runs = lvtest::WaitForRuns(Log(), 2);
    std::sort(runs.begin(), runs.end());
    EXPECT_EQ(runs, (std::vector<std::string> { m_folder.Native("apps/fake.exe"), m_folder.Native("bin/xdg-open") + " <http://absent.example/?fr=i&fg=ffFLAG_SKIFF_DIRECT>" }));
}
