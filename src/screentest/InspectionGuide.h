#pragma once

// The guided inspection inside the test window: it takes the window's
// keys first, shows each check's pictures through ShowPattern, draws the
// instructions, the question whether to stop and the last screen instead
// of a pattern, and the picked square's frame over a chart. It gives each
// check the window's marks of its own, types them by the check, and writes
// the report when the inspection ends, however it ends.

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "screentest/DefectMarks.h"
#include "screentest/DefectReport.h"
#include "screentest/Inspection.h"

#include <cstdint>
#include <optional>
#include <vector>

class CTestWnd;
struct Pattern;

// The test window's timer that ends the motion check's measurement.
inline constexpr std::uintptr_t kInspectionTimer = 26;

class CInspectionGuide {
public:
    explicit CInspectionGuide(CTestWnd& wnd);

    // Shows the first check's instruction on the window's monitor.
    void Begin();
    // A key (a left click is Space, a right click Escape); true when taken.
    bool OnKey(unsigned key);
    // The last screen was left: the window ends the inspection.
    bool Closed() const { return m_bClosed; }
    // The instruction, the question or the last screen, instead of the step.
    bool DrawInstead(plat::DeviceContext& dc, const plat::Rect& client, const plat::Font& font);
    // The picked square's frame or the defect line, over a check's picture.
    void DrawOver(plat::DeviceContext& dc, const plat::Rect& client, const plat::Font& font);
    bool HasOverlay() const;
    // kInspectionTimer: the motion check has measured its time.
    void OnTimer();
    // The inspected monitor went away: the inspection ends and is written.
    void MonitorGone();
    // The window ends: what the inspection has is written if it was not.
    void Finish();
    // Shows what the window showed before the inspection, with its marks.
    void Restore();

private:
    void Show();
    void ShowStill();
    void WriteReport();
    void DrawLines(plat::DeviceContext& dc, const plat::Rect& client, const plat::Font& font, const std::string& title,
        const std::vector<std::string>& lines);
    std::vector<std::string> LastScreenLines() const;

    CTestWnd& m_wnd;
    CInspection m_inspection;
    MonitorIdentity m_monitor; // as it was when the inspection began
    const Pattern* m_patternBefore = nullptr;
    int m_stepBefore = 0;
    std::vector<DefectMark> m_marksBefore;    // the test's own marks, set aside
    std::optional<InspectionRecord> m_record; // made once the inspection ended
    std::optional<ReportOutcome> m_report;    // where that record was written
    bool m_bMonitorGone = false;
    bool m_bClosed = false;
    plat::Font m_titleFont; // made when first drawn
};
