#include "screentest/TestWnd.h"

#include "platform/gfx/GdiConstants.h"
#include "platform/ui/Cursor.h"
#include "resource.h"
#include "screentest/Patterns.h"
#include "screentest/StepOrder.h"

namespace {

// The information lines' font: 16 x 8 px Song face, default weight.
constexpr int kInfoFontHeight = 16;
constexpr int kInfoFontWidth = 8;

}

CTestWnd::CTestWnd(plat::Wnd* parent)
    : Dialog(IDD_TEST_DIALOG, parent)
{
}

CTestWnd::~CTestWnd() = default;

LV_BEGIN_MESSAGE_MAP(CTestWnd, plat::Dialog)
    LV_ON_WM_LBUTTONDOWN()
    LV_ON_WM_RBUTTONDOWN()
    LV_ON_WM_MBUTTONDOWN()
    LV_ON_WM_MOUSEMOVE()
    LV_ON_WM_TIMER()
    LV_ON_WM_ERASEBKGND()
    LV_ON_WM_PAINT()
    LV_ON_WM_KEYDOWN()
    LV_ON_WM_CHAR()
    LV_ON_MESSAGE(plat::WM_DISPLAYCHANGE, OnDisplayChange)
LV_END_MESSAGE_MAP()

void CTestWnd::DoDataExchange(plat::DataExchange*) { }

bool CTestWnd::OnInitDialog()
{
    Dialog::OnInitDialog();

    plat::Rect screen;
    GetDesktopWindow()->GetWindowRect(&screen);
    SetWindowPos(plat::wndTopMost, 0, 0, screen.Width(), screen.Height(), plat::SWP_FRAMECHANGED);
    // Another monitor only when the caller asked for one that is there.
    if (m_nMonitor != 0 && !MoveToMonitor(m_nMonitor))
        m_nMonitor = 0;

    m_nStep = m_nStartStep;
    // The pointer would hide the pixels a person inspects: it goes when still.
    plat::HidePointerWhenStill(GetSafeHwnd());
    m_font.CreateFont(kInfoFontHeight, kInfoFontWidth, 0, 0, plat::FW_DONTCARE, 0, 0, 0, plat::ANSI_CHARSET,
        plat::OUT_DEFAULT_PRECIS, plat::CLIP_DEFAULT_PRECIS, plat::DEFAULT_QUALITY, plat::DEFAULT_PITCH, "宋体");
    return true;
}

void CTestWnd::OnLButtonDown(unsigned, plat::Point)
{
    if (FlasherClick())
        return;
    m_nStep = NextStep(m_nMode, m_nStep);

    // Drawn here and now, not through a repaint request, so every click
    // (also one queued behind a long drawing) shows and times its own step.
    DrawPattern();
    Default();
}

void CTestWnd::OnRButtonDown(unsigned, plat::Point)
{
    // A click that stops the flasher does nothing else.
    if (FlasherClick())
        return;
    OnCancel();
    Default();
}

bool CTestWnd::OnEraseBkgnd(plat::DeviceContext*)
{
    // The renderers draw through their own client-area context.
    DrawPattern();
    return true;
}

// Drawing happens only on erase-background and on left clicks.
void CTestWnd::OnPaint() { }

void CTestWnd::DrawPattern()
{
    // Every pattern covers the client area, the key map included.
    m_bKeyMap = false;
    if (const Pattern* pattern = FindPattern(m_nMode))
        (this->*pattern->draw)();
}
