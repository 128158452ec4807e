// The eight screen-test buttons. Each test runs modally on the stack with
// no parent, titled with the caption its button shows at the time of the
// click, and with the information lines when the option box is ticked.

#include "app/MainDlg.h"

#include "screentest/TestModes.h"
#include "screentest/TestWnd.h"

void CMainDlg::RunTest(int buttonId, int mode)
{
    std::string caption = GetDlgItemText(buttonId);
    CTestWnd test;
    test.m_nMode = mode;
    test.m_strTitle = caption;
    test.m_bShowInfo = static_cast<int>(IsDlgButtonChecked(IDC_SHOWINFO));
    test.DoModal();
}

void CMainDlg::OnTestBlockFill() { RunTest(IDC_BLOCKFILL, kModeBlockFill); }
void CMainDlg::OnTestVLineFill() { RunTest(IDC_VLINE_FILL, kModeVLineFill); }
void CMainDlg::OnTestHLineFill() { RunTest(IDC_HLINE_FILL, kModeHLineFill); }
void CMainDlg::OnTestDotDown() { RunTest(IDC_DOT_DOWN, kModeDotFillDown); }
void CMainDlg::OnTestDotRight() { RunTest(IDC_DOT_RIGHT, kModeDotFillRight); }
void CMainDlg::OnTestVLineGradient() { RunTest(IDC_VLINE_GRADIENT, kModeVLineGradient); }
void CMainDlg::OnTestHLineGradient() { RunTest(IDC_HLINE_GRADIENT, kModeHLineGradient); }
void CMainDlg::OnTestDeadPixel() { RunTest(IDC_DEADPIXEL, kModeDeadPixel); }
