// The eight screen-test buttons. Each test runs modally on the stack with
// no parent, titled with the caption its button shows at the time of the
// click, and with the information lines when the option box is ticked.

#include "app/MainDlg.h"

#include "screentest/Patterns.h"
#include "screentest/TestWnd.h"

void CMainDlg::RunTest(int buttonId, std::string_view pattern)
{
    CTestWnd test({ FindPattern(pattern), GetDlgItemText(buttonId), static_cast<int>(IsDlgButtonChecked(IDC_SHOWINFO)) });
    test.DoModal();
}

void CMainDlg::OnTestBlockFill() { RunTest(IDC_BLOCKFILL, "block-fill"); }
void CMainDlg::OnTestVLineFill() { RunTest(IDC_VLINE_FILL, "vline-fill"); }
void CMainDlg::OnTestHLineFill() { RunTest(IDC_HLINE_FILL, "hline-fill"); }
void CMainDlg::OnTestDotDown() { RunTest(IDC_DOT_DOWN, "dot-fill-down"); }
void CMainDlg::OnTestDotRight() { RunTest(IDC_DOT_RIGHT, "dot-fill-right"); }
void CMainDlg::OnTestVLineGradient() { RunTest(IDC_VLINE_GRADIENT, "vline-gradient"); }
void CMainDlg::OnTestHLineGradient() { RunTest(IDC_HLINE_GRADIENT, "hline-gradient"); }
void CMainDlg::OnTestDeadPixel() { RunTest(IDC_DEADPIXEL, "dead-pixel"); }
