// The test window's keyboard: stepping both ways, changing to the next or
// previous pattern, moving to another monitor, the key map, the loupe and
// the marks, and following the monitors as they come and go.

#include "screentest/TestWnd.h"

#include "platform/intl/Translate.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Monitors.h"
#include "screentest/Patterns.h"
#include "screentest/StepOrder.h"

namespace {

constexpr unsigned kNextPatternKey = 'N';
constexpr unsigned kPreviousPatternKey = 'P';

}

void CTestWnd::OnKeyDown(unsigned key, unsigned, unsigned)
{
    // A key the flasher takes (any key stops it) does nothing else, so
    // Escape while it flashes stops the flashing but not the test.
    if (FlasherKey(key))
        return;
    // Any key takes the key map away: a key that draws covers it, the
    // others draw the pattern again.
    bool keyMap = m_bKeyMap;
    bool drawn = false;
    switch (key) {
    case plat::VK_SPACE:
    case plat::VK_RIGHT:
    case plat::VK_DOWN:
    case plat::VK_NEXT:
        m_nStep = NextStep(m_nMode, m_nStep);
        DrawPattern();
        drawn = true;
        break;
    case plat::VK_BACK:
    case plat::VK_LEFT:
    case plat::VK_UP:
    case plat::VK_PRIOR:
        m_nStep = PreviousStep(m_nMode, m_nStep);
        DrawPattern();
        drawn = true;
        break;
    case plat::VK_HOME:
        m_nStep = 0;
        DrawPattern();
        drawn = true;
        break;
    case kNextPatternKey:
    case kPreviousPatternKey: {
        // Another pattern from its first step, titled with its own caption.
        const Pattern& pattern = key == kNextPatternKey ? NextPattern(m_nMode) : PreviousPattern(m_nMode);
        m_nMode = pattern.mode;
        m_nStep = 0;
        m_strTitle = plat::Translate(pattern.caption);
        DrawPattern();
        drawn = true;
        break;
    }
    case plat::VK_TAB: {
        int count = plat::GetMonitorCount();
        if (count > 1) {
            bool back = plat::GetKeyState(plat::VK_SHIFT) < 0;
            int from = m_nMonitor < count ? m_nMonitor : 0;
            // The move repaints the window at its new size.
            drawn = MoveToMonitor(back ? (from + count - 1) % count : (from + 1) % count);
        }
        break;
    }
    case plat::VK_F1:
        if (!keyMap) {
            DrawKeyMap();
            drawn = true;
        }
        break;
    case 'Z':
        ToggleLoupe();
        break;
    case 'M':
        MarkPointer(true);
        break;
    case 'C':
        ClearMarks();
        break;
    case plat::VK_ESCAPE:
    case plat::VK_RETURN:
        // The test ends: nothing to draw again.
        drawn = true;
        break;
    default:
        break;
    }
    if (keyMap && !drawn)
        DrawPattern();
    Default();
}

// Typed characters: '?' shows the key map (whatever keys make it on this
// keyboard); any character takes a shown key map away.
void CTestWnd::OnChar(unsigned character, unsigned, unsigned)
{
    if (m_bKeyMap)
        DrawPattern();
    else if (character == '?')
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
    // A new frame repaints the window: the erase draws the current step.
    SetWindowPos(plat::wndTopMost, r.left, r.top, r.Width(), r.Height(), plat::SWP_FRAMECHANGED);
    return true;
}
