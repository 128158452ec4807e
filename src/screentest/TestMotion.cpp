// The test window's moving patterns: frames paced by the display while a
// pattern's hooks ask for them, run from the event loop whenever it would
// wait for input (so keys are taken between frames), and what they
// measured once they stop.

#include "screentest/TestWnd.h"

#include "platform/ui/EventLoop.h"
#include "screentest/MotionRun.h"

void CTestWnd::RequestFrames(bool on)
{
    if (on && !m_motion) {
        m_motion = std::make_unique<CMotionRun>(GetSafeHwnd());
        plat::SetFrameSource(GetSafeHwnd(), [this] { return RunFrame(); });
        return;
    }
    if (!on && m_motion) {
        plat::ClearFrameSource(GetSafeHwnd());
        m_motion->Drain();
        m_motionReading = m_motion->Reading();
        m_motion.reset();
    }
}

bool CTestWnd::RunFrame()
{
    if (!m_motion || !m_hooks)
        return false;
    return m_motion->Frame(*m_hooks, m_speed, m_font, [this](plat::DeviceContext& dc, const MotionReading& reading) {
        return m_bShowInfo == 1 ? DrawMotionInfo(dc, reading) : plat::Rect {};
    });
}

std::optional<MotionReading> CTestWnd::Motion() const
{
    if (m_motion)
        return m_motion->Reading();
    return m_motionReading;
}

void CTestWnd::OnOK()
{
    RequestFrames(false);
    Dialog::OnOK();
}

void CTestWnd::OnCancel()
{
    RequestFrames(false);
    Dialog::OnCancel();
}
