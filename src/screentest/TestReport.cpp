// The end of a test with marks: a report for each monitor that has some,
// then a message box that says where it is (or where it could not be
// written) and can open the page.

#include "screentest/TestWnd.h"

#include "platform/fs/DocumentsFolder.h"
#include "platform/fs/PathMap.h"
#include "platform/intl/Translate.h"
#include "platform/sys/ShellOpen.h"
#include "platform/ui/MessageBox.h"
#include "screentest/DefectReport.h"

#include <ctime>

namespace {

// The folder as the person knows it: the system's own path.
std::string Shown(const std::string& windowsPath)
{
    return plat::NativePath(windowsPath).value_or(windowsPath);
}

}

std::intptr_t CTestWnd::DoModal()
{
    std::intptr_t result = Dialog::DoModal();
    WriteReports();
    return result;
}

void CTestWnd::WriteReports()
{
    std::string documents = plat::GetDocumentsFolder();
    for (const MonitorMarks& entry : m_marks) {
        if (entry.marks.IsEmpty())
            continue;
        std::string folder;
        if (WriteDefectReport(documents, entry.identity, entry.marks.All(), std::time(nullptr), &folder) != 0) {
            plat::MessageBox(plat::Translate("无法写入坏点报告:\n") + Shown(folder), plat::MB_OK);
            continue;
        }
        std::string text = plat::Translate("坏点报告已保存在:\n") + Shown(folder);
        if (plat::MessageBoxWithButton(text, plat::Translate("打开")) == plat::IDYES)
            plat::ShellOpen(folder + "report.html");
    }
    m_marks.clear();
}
