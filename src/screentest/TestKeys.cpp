// The test window's keyboard: stepping both ways, changing to the next or
// previous pattern, moving to another monitor, the key map, the loupe and
// the marks, and following the monitors as they come and go.

#include "screentest/TestWnd.h"

#include "platform/ui/Keyboard.h"
#include "platform/ui/Monitors.h"
#include "screentest/MotionRun.h"
#include "screentest/Patterns.h"
#include "screentest/StepOrder.h"
#include "screentest/TestKeyTable.h"

void CTestWnd::OnKeyDown(unsigned key, unsigned, unsigned)
{
    // A shown key map says any key closes it: the key does only that.
    if (CloseKeyMap())
        return;
    // A key the pattern's hooks take (the flasher's, say) does nothing
    // else, so Escape while it flashes stops the flashing but not the test.
    if (m_hooks && m_hooks->OnKey(*this, key))
        return;
    DoAction(key);
    Default();
}

bool CTestWnd::CloseKeyMap()
{
    if (!m_bKeyMap)
        return false;
    DrawPattern();
    return true;
}

void CTestWnd::DoAction(unsigned key)
{
    const KeyBinding* binding = FindTestKey(key);
    switch (binding ? binding->action : TestAction::Pattern) {
    case TestAction::NextStep:
        ShowStep(NextStep(m_pattern, m_nStep));
        break;
    case TestAction::PreviousStep:
        ShowStep(PreviousStep(m_pattern, m_nStep));
        break;
    case TestAction::FirstStep:
        ShowStep(0);
        break;
    case TestAction::NextPattern:
        // Another pattern from its first step, titled with its own caption.
        ShowPattern(NextPattern(m_pattern), 0);
        break;
    case TestAction::PreviousPattern:
        ShowPattern(PreviousPattern(m_pattern), 0);
        break;
    case TestAction::NextMonitor: {
        int count = plat::GetMonitorCount();
        if (count > 1) {
            bool back = plat::GetKeyState(plat::VK_SHIFT) < 0;
            int from = m_nMonitor < count ? m_nMonitor : 0;
            // The move repaints the window at its new size.
            MoveToMonitor(back ? (from + count - 1) % count : (from + 1) % count);
        }
        break;
    }
    case TestAction::KeyMap:
        DrawKeyMap();
        break;
    case TestAction::Loupe:
        ToggleLoupe();
        break;
    case TestAction::Mark:
        MarkPointer(true);
        break;
    case TestAction::ClearMarks:
        ClearMarks();
        break;
    case TestAction::End:
    case TestAction::Pattern:
        // The dialog's own keys end the test (Default); hooks had theirs.
        break;
    }
}

// Typed characters: '?' shows the key map (whatever keys make it on this
// keyboard); any character takes a shown key map away.
void CTestWnd::OnChar(unsigned character, unsigned, unsigned)
{
    if (!CloseKeyMap() && character == '?')
        DrawKeyMap();
}

// The window stays on its monitor while that one is there: at the same
// index under the same name, else found by name (indices shift when
// another goes). Otherwise it moves to the primary screen, and with no
// monitor left the test ends.
plat::LRESULT CTestWnd::OnDisplayChange(plat::WPARAM, plat::LPARAM)
{
    int count = plat::GetMonitorCount();
    plat::MonitorInfo info;
    int target = 0;
    if (plat::GetMonitorInfo(m_nMonitor, &info) && info.name == m_strMonitor) {
        target = m_nMonitor;
    } else {
        for (int i = 0; i < count && !m_strMonitor.empty(); ++i) {
            if (plat::GetMonitorInfo(i, &info) && info.name == m_strMonitor) {
                target = i;
                break;
            }
        }
    }
    if (!MoveToMonitor(target) && !MoveToMonitor(0))
        OnCancel();
    return 0;
}

bool CTestWnd::MoveToMonitor(int index)
{
    plat::MonitorInfo info;
    if (!plat::GetMonitorInfo(index, &info))
        return false;
    m_nMonitor = index;
    m_strMonitor = info.name;
    // Marks made here go into the report with the monitor as last seen.
    MonitorIdentity identity = IdentifyTestedMonitor(index);
    m_strMonitorShown = identity.name;
    for (MonitorMarks& entry : m_marks)
        if (entry.output == m_strMonitor)
            entry.identity = identity;
    const plat::Rect& r = info.rcMonitor;
    // Moving patterns measure again on that monitor's refresh.
    if (m_motion)
        m_motion->Restart();
    // A new frame repaints the window: the erase draws the current step.
    SetWindowPos(plat::wndTopMost, r.left, r.top, r.Width(), r.Height(), plat::SWP_FRAMECHANGED);
    return true;
}
