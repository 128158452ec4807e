#pragma once

// The full-screen window in which every screen test runs. A launcher makes
// it from a TestLaunch (the pattern, the title, whether to show the
// information lines, the monitor and the first step) and calls DoModal.
// The window covers its screen above every other window, draws the
// pattern's current step when its background is erased and on every left
// click (which advances the step), and ends on a right click, Escape or
// Enter. Keys (TestKeyTable.h) step it both ways, change to the next or
// previous pattern, move it to another monitor and show a key map over
// the pattern until the next input. A pattern's hooks take their share of
// input, timers and frames first. A loupe, marks of defective pixels and
// the report of those marks when the test ends are drawn over the pattern
// after its timing, never inside it.

#include "platform/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/ProcessClock.h"
#include "platform/ui/Dialog.h"
#include "screentest/DefectMarks.h"
#include "screentest/Loupe.h"
#include "screentest/MonitorIdentity.h"
#include "screentest/MotionReading.h"
#include "screentest/MotionSpeed.h"
#include "screentest/PatternHooks.h"
#include "screentest/TestLaunch.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CMotionRun;

class CTestWnd : public plat::Dialog, private PatternHost {
public:
    explicit CTestWnd(const TestLaunch& launch, plat::Wnd* parent = nullptr);
    ~CTestWnd() override;

    // The marks made on one monitor, with that monitor as it was last seen.
    struct MonitorMarks {
        std::string output; // the window system's name, to find the monitor again
        MonitorIdentity identity;
        CDefectMarks marks;
    };

    // What the window shows now.
    const Pattern* CurrentPattern() const { return m_pattern; }
    int Step() const { return m_nStep; }
    const std::string& Title() const { return m_strTitle; }
    int ShowInfo() const { return m_bShowInfo; }
    int Monitor() const { return m_nMonitor; }
    bool ShowsKeyMap() const { return m_bKeyMap; }
    const plat::Font& InfoFont() const { return m_font; }
    const std::vector<MonitorMarks>& Marks() const { return m_marks; }
    // What the motion run of the moving pattern shown now, else of the last
    // one shown, measured; nothing while no moving pattern has run.
    std::optional<MotionReading> Motion() const;
    double Speed() const { return m_speed; }

    // Shows `pattern` from `step`, titled with its caption, as N and P do.
    void ShowPattern(const Pattern& pattern, int step);
    // Shows `step` of the current pattern (any number: one outside the
    // pattern's steps draws nothing).
    void ShowStep(int step);
    // Draws the current step: the hooks' picture or the row's renderer,
    // then the information lines and the overlays.
    void DrawPattern();
    // The three information lines on `dc`: step, title and colour; the
    // elapsed drawing time in clock ticks; a fixed remark.
    void DrawInfo(plat::DeviceContext* dc, plat::COLORREF color, long elapsed);
    // The clock the hooks read, in ms (a fake one in tests).
    void SetClock(std::function<long()> clock) { m_clock = std::move(clock); }
    // DoModal, then the reports of the marks made.
    std::intptr_t DoModal() override;
    // The last pattern as its timing ended, without any overlay (kept only
    // while an overlay is shown).
    const plat::Bitmap& PatternPicture() const { return m_bmPattern; }

protected:
    void DoDataExchange(plat::DataExchange* dx) override;
    bool OnInitDialog() override;
    // Both end the test: the frames stop first, while the window is there.
    void OnOK() override;
    void OnCancel() override;

private:
    // PatternHost, for the hooks.
    void Redraw() override { DrawPattern(); }
    void StartTimer(unsigned ms) override;
    void StopTimer() override;
    void RequestFrames(bool on) override;
    long Now() const override { return m_clock(); }
    plat::Point Focus() override;
    double MotionSpeed() const override { return m_speed; }
    void SetMotionSpeed(double speed) override { m_speed = speed; }

    // One frame of the moving pattern, paced by the display (the event
    // loop's frame source); false when none was presented.
    bool RunFrame();
    // The information lines of a motion frame, with the run's figures;
    // returns what they cover.
    plat::Rect DrawMotionInfo(plat::DeviceContext& dc, const MotionReading& reading);

    // The key map over the pattern, until the next key or click draws the
    // pattern again.
    void DrawKeyMap();
    // Covers monitor `index` and draws the current step there; false (and
    // nothing moves) when there is no such monitor.
    bool MoveToMonitor(int index);
    // Does what a key of the window's table does.
    void DoAction(unsigned key);
    // Takes a shown key map away (true), else false.
    bool CloseKeyMap();

    // After each step: keeps its colour and drawing time, and a copy of the
    // pattern just drawn on `dc` (the loupe's source and what the overlays
    // are restored from) when an overlay is shown; otherwise only the
    // pattern under the information lines, so that a copy made later from
    // the screen is the pattern alone.
    void KeepPatternPicture(plat::DeviceContext& dc, plat::COLORREF color, long elapsed);
    // Makes that copy from the screen when the step did not, before an
    // overlay is first drawn over it.
    void TakePatternPicture();
    // The marks' rings, the full-marks notice and the loupe, on `dc`.
    void DrawOverlays(plat::DeviceContext& dc);
    // Puts the pattern back in `area` and draws everything that lies over
    // it again (information lines, the hooks' drawing, key map, rings,
    // loupe).
    void RestoreArea(plat::Rect area);
    // The marks of the monitor the window covers; created when `create`.
    CDefectMarks* CurrentMarks(bool create);
    // Marks the pixel under the pointer (`toggle`: removes its mark instead
    // when it has one).
    void MarkPointer(bool toggle);
    void ClearMarks();
    void ToggleLoupe();
    // Writes a report for each monitor that has marks and says where.
    void WriteReports();
    // The pointer's pixel in client coordinates, from the cursor's position.
    plat::Point PointerPixel() const;
    // The loupe, the key map or a mark of this monitor is shown.
    bool OverlayShown();
    // m_bmPattern at the client area's size, in m_dcPattern; false when it cannot be made.
    bool SizePatternPicture(plat::DeviceContext& dc, plat::Size size);

    void OnTimer(std::uintptr_t id);
    void OnLButtonDown(unsigned flags, plat::Point point);
    void OnRButtonDown(unsigned flags, plat::Point point);
    void OnMButtonDown(unsigned flags, plat::Point point);
    void OnMouseMove(unsigned flags, plat::Point point);
    bool OnEraseBkgnd(plat::DeviceContext* dc);
    void OnPaint();
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags);
    void OnChar(unsigned character, unsigned repeat, unsigned flags);
    plat::LRESULT OnDisplayChange(plat::WPARAM, plat::LPARAM);

    const Pattern* m_pattern = nullptr;    // the row shown; null draws nothing
    std::unique_ptr<PatternHooks> m_hooks; // the row's hooks while it shows, if it has any
    bool m_bHooksDrew = false;             // the hooks drew the window instead of the step
    int m_bShowInfo = 0;                   // 1: draw the information lines after each pattern
    std::string m_strTitle;                // the launching button's caption, line feed included
    int m_nStep = 0;                       // current step, indexes the row's colours
    int m_nStartStep = 0;                  // the step initialisation starts at
    plat::Font m_font;                     // the information lines' font, made at initialisation
    int m_nMonitor = 0;                    // the monitor the window covers; 0 is the primary screen
    std::string m_strMonitor;              // that monitor's name, to find it again when monitors change
    std::string m_strMonitorShown;         // its name for people: from its EDID when known
    bool m_bKeyMap = false;                // the key map is drawn over the pattern
    std::vector<MonitorMarks> m_marks;     // in the order the monitors were first marked
    CLoupe m_loupe;
    bool m_bMarksFull = false; // the last mark was refused: the information lines say so
    std::function<long()> m_clock = plat::ProcessClockMs;
    plat::Bitmap m_bmPattern;                     // the pattern as drawn, before any overlay
    plat::DeviceContext m_dcPattern;              // memory context holding m_bmPattern
    bool m_bPictureKept = false;                  // m_bmPattern holds the current step
    plat::Rect m_rcInfoKept;                      // what it holds from under the information lines otherwise
    plat::COLORREF m_crStep = 0;                  // the step's colour and drawing time, for
    long m_nElapsed = 0;                          // drawing the information lines again
    std::unique_ptr<CMotionRun> m_motion;         // the frames of a moving pattern while it shows
    std::optional<MotionReading> m_motionReading; // what the last one measured, once it stopped
    double m_speed = kDefaultMotionSpeed;         // px/s of the moving patterns

    LV_DECLARE_MESSAGE_MAP()
};
