// The eight screen-test buttons. Each test runs modally on the stack with
// no parent, titled with the caption its button shows at the time of the
// click, and with the information lines when the option box is ticked.

#include "app/MainDlg.h"

#include "screentest/TestWnd.h"

namespace {

constexpr int kShowInfoBox = 1003;

}

void CMainDlg::RunTest(int buttonId, int mode)
{
    std::string caption = GetDlgItemText(buttonId);
    CTestWnd test;
    test.m_nMode = mode;
    test.m_strTitle = caption;
    test.m_bShowInfo = static_cast<int>(IsDlgButtonChecked(kShowInfoBox));
    test.DoModal();
}

void CMainDlg::OnTestBlockFill() { RunTest(1000, 1); }
void CMainDlg::OnTestVLineFill() { RunTest(1002, 2); }
void CMainDlg::OnTestHLineFill() { RunTest(1006, 3); }
void CMainDlg::OnTestDotDown() { RunTest(1007, 4); }
void CMainDlg::OnTestDotRight() { RunTest(1008, 5); }
void CMainDlg::OnTestVLineGradient() { RunTest(1001, 6); }
void CMainDlg::OnTestHLineGradient() { RunTest(1009, 7); }
void CMainDlg::OnTestDeadPixel() { RunTest(1013, 10); }
