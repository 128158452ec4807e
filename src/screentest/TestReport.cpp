// The end of a test with marks: a report for each monitor that has some,
// then a message box that says where it is (or why it could not be written
// where it belongs) and can open the page.

#include "screentest/TestWnd.h"

#include "platform/intl/Translate.h"
#include "platform/sys/ShellOpen.h"
#include "platform/ui/MessageBox.h"
#include "screentest/DefectReport.h"
#include "screentest/InspectionGuide.h"
#include "screentest/Patterns.h"
#include "screentest/ReportPlaces.h"

#include <algorithm>
#include <ctime>
#include <utility>

namespace {

// Each mark's pattern as the page names it: its caption in the shown
// language, on one line (the buttons' captions have two).
std::vector<std::string> Captions(const std::vector<DefectMark>& marks)
{
    std::vector<std::string> captions;
    for (const DefectMark& mark : marks) {
        const Pattern* pattern = FindPattern(mark.pattern);
        std::string caption = pattern ? plat::Translate(pattern->caption) : mark.pattern;
        std::replace(caption.begin(), caption.end(), '\n', ' ');
        captions.push_back(std::move(caption));
    }
    return captions;
}

std::string SavedText(const ReportOutcome& outcome)
{
    if (outcome.failures.empty())
        return plat::Translate("坏点报告已保存在:\n") + outcome.folder;
    return plat::Translate("无法写入:\n") + ReportFailuresText(outcome.failures) + "\n"
        + plat::Translate("坏点报告已改为保存在:\n") + outcome.folder;
}

}

std::intptr_t CTestWnd::DoModal()
{
    std::intptr_t result = Dialog::DoModal();
    // An inspection the window's end cut short still writes what it has.
    if (m_inspection)
        std::exchange(m_inspection, nullptr)->Finish();
    WriteReports();
    return result;
}

void CTestWnd::WriteReports()
{
    const std::vector<ReportPlace> places = ReportPlaces();
    // A test that ran a moving pattern reports what its frames measured.
    const std::optional<MotionReading> motion = Motion();
    for (const MonitorMarks& entry : m_marks) {
        if (entry.marks.IsEmpty())
            continue;
        const std::vector<DefectMark>& marks = entry.marks.All();
        ReportOutcome outcome = WriteDefectReport(places, entry.identity, marks, Captions(marks), std::time(nullptr),
            motion ? &*motion : nullptr);
        if (outcome.folder.empty()) {
            plat::MessageBox(plat::Translate("无法写入坏点报告:\n") + ReportFailuresText(outcome.failures), plat::MB_OK);
            continue;
        }
        if (plat::MessageBoxWithButton(SavedText(outcome), plat::Translate("打开")) != plat::IDYES)
            continue;
        const std::string page = outcome.folder + "report.html";
        if (plat::OpenNativeFile(page) != 0)
            plat::MessageBox(plat::Translate("没有可以打开报告的程序。报告在:\n") + page, plat::MB_OK);
    }
    m_marks.clear();
}
