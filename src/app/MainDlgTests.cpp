// The eight screen-test buttons. Each test runs modally on the stack with
// no parent, titled with the caption its button shows at the time of the
// click, and with the information lines when the option box is ticked.

#include "app/MainDlg.h"

#include "screentest/Patterns.h"
#include "screentest/TestWnd.h"

#include <utility>

namespace {

// The main window's test modes and the pattern each one starts. The modes
// live only here; from the launch on the pattern's row travels.
const Pattern* PatternOfMode(int mode)
{
    static constexpr std::pair<int, std::string_view> kModes[] = {
        { 1, "block-fill" },
        { 2, "vline-fill" },
        { 3, "hline-fill" },
        { 4, "dot-fill-down" },
        { 5, "dot-fill-right" },
        { 6, "vline-gradient" },
        { 7, "hline-gradient" },
        { 10, "dead-pixel" },
    };
    for (const auto& [value, name] : kModes)
        if (value == mode)
            return FindPattern(name);
    return nullptr;
}

}

void CMainDlg::RunTest(int buttonId, int mode)
{
    CTestWnd test({ PatternOfMode(mode), GetDlgItemText(buttonId), static_cast<int>(IsDlgButtonChecked(IDC_SHOWINFO)) });
    test.DoModal();
}

void CMainDlg::OnTestBlockFill() { RunTest(IDC_BLOCKFILL, 1); }
void CMainDlg::OnTestVLineFill() { RunTest(IDC_VLINE_FILL, 2); }
void CMainDlg::OnTestHLineFill() { RunTest(IDC_HLINE_FILL, 3); }
void CMainDlg::OnTestDotDown() { RunTest(IDC_DOT_DOWN, 4); }
void CMainDlg::OnTestDotRight() { RunTest(IDC_DOT_RIGHT, 5); }
void CMainDlg::OnTestVLineGradient() { RunTest(IDC_VLINE_GRADIENT, 6); }
void CMainDlg::OnTestHLineGradient() { RunTest(IDC_HLINE_GRADIENT, 7); }
void CMainDlg::OnTestDeadPixel() { RunTest(IDC_DEADPIXEL, 10); }
