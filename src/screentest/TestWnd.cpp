#include "screentest/TestWnd.h"

#include "platform/gfx/GdiConstants.h"
#include "platform/intl/Translate.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Cursor.h"
#include "resource.h"
#include "screentest/MotionRun.h"
#include "screentest/Patterns.h"
#include "screentest/StepOrder.h"

namespace {

// The information lines' font: 16 x 8 px Song face, default weight.
constexpr int kInfoFontHeight = 16;
constexpr int kInfoFontWidth = 8;

// The hooks' timer.
constexpr std::uintptr_t kPatternTimer = 24;

}

CTestWnd::CTestWnd(const TestLaunch& launch, plat::Wnd* parent)
    : Dialog(IDD_TEST_DIALOG, parent)
    , m_pattern(launch.pattern)
    , m_hooks(launch.pattern && launch.pattern->makeHooks ? launch.pattern->makeHooks() : nullptr)
    , m_bShowInfo(launch.showInfo)
    , m_strTitle(launch.title)
    , m_nStartStep(launch.step)
    , m_nMonitor(launch.monitor)
    , m_speed(launch.speed)
{
}

CTestWnd::~CTestWnd() { RequestFrames(false); }

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
    if (m_hooks)
        m_hooks->OnShow(*this);
    return true;
}

void CTestWnd::OnLButtonDown(unsigned, plat::Point)
{
    // A click on the key map only closes it.
    if (CloseKeyMap() || (m_hooks && m_hooks->OnClick(*this)))
        return;
    m_nStep = NextStep(m_pattern, m_nStep);

    // Drawn here and now, not through a repaint request, so every click
    // (also one queued behind a long drawing) shows and times its own step.
    DrawPattern();
    Default();
}

void CTestWnd::OnRButtonDown(unsigned, plat::Point)
{
    // A click that closes the key map, or that a pattern takes, does nothing else.
    if (CloseKeyMap() || (m_hooks && m_hooks->OnClick(*this)))
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
    if (!m_pattern)
        return;
    // A moving pattern's frames are the presenter's: the next shows all.
    if (m_motion) {
        m_motion->ShowWhole();
        return;
    }
    plat::Rect client;
    GetClientRect(&client);
    plat::ClientDC dc(this);
    m_bHooksDrew = m_hooks && m_hooks->DrawInstead(dc, client);
    if (m_bHooksDrew)
        return;
    StepDrawn step = m_pattern->draw({ dc, client, m_nStep, m_pattern->colors, m_font });
    if (!step.drawn)
        return;
    KeepPatternPicture(dc, step.color, step.elapsed);
    if (m_bShowInfo == 1)
        DrawInfo(&dc, step.color, step.elapsed);
    if (m_hooks)
        m_hooks->DrawOver(dc, client, m_font);
    DrawOverlays(dc);
}

void CTestWnd::ShowPattern(const Pattern& pattern, int step)
{
    if (m_hooks)
        StopTimer();
    RequestFrames(false);
    m_pattern = &pattern;
    m_hooks = pattern.makeHooks ? pattern.makeHooks() : nullptr;
    m_nStep = step;
    m_strTitle = plat::Translate(pattern.caption);
    if (m_hooks)
        m_hooks->OnShow(*this);
    DrawPattern();
}

void CTestWnd::ShowStep(int step)
{
    m_nStep = step;
    DrawPattern();
}

void CTestWnd::StartTimer(unsigned ms) { SetTimer(kPatternTimer, ms); }

void CTestWnd::StopTimer() { KillTimer(kPatternTimer); }

plat::Point CTestWnd::Focus()
{
    const CDefectMarks* marks = CurrentMarks(false);
    return marks && !marks->IsEmpty() ? marks->All().back().at : PointerPixel();
}

void CTestWnd::OnTimer(std::uintptr_t id)
{
    if (!m_hooks)
        return;
    if (id == kPatternTimer)
        m_hooks->OnTimer(*this);
}
