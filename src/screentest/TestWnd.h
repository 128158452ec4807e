#pragma once

// The full-screen window in which every screen test runs. A launcher sets
// the mode, the title (the caption of the button that started the test) and
// whether to show the information lines, then calls DoModal. The window
// covers the primary screen above every other window, draws the pattern of
// its mode at the current step when its background is erased and on every
// left click (which advances the step), and ends on a right click, Escape
// or Enter. Keys step it both ways, change to the next or previous pattern,
// move it to another monitor and show a key map over the pattern until the
// next input.

#include "platform/Types.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Dialog.h"

#include <string>

class CTestWnd : public plat::Dialog {
public:
    explicit CTestWnd(plat::Wnd* parent = nullptr);
    ~CTestWnd() override;

    int m_nMode = 0;       // a mode of the pattern table (Patterns.h); anything else draws nothing
    int m_bShowInfo = 0;   // 1: draw the information lines after each pattern
    std::string m_strTitle; // the launching button's caption, line feed included
    int m_nStep = 0;       // current step, indexes the mode's colour table
    int m_nStartStep = 0;  // the step initialisation starts at
    plat::Font m_font;     // the information lines' font, made at initialisation
    int m_nMonitor = 0;    // the monitor the window covers; 0 is the primary screen (set before
                           // DoModal, the one it opens on)
    std::string m_strMonitor; // that monitor's name, to find it again when monitors change
    bool m_bKeyMap = false; // the key map is drawn over the pattern

    // Calls the renderer of m_nMode's pattern.
    void DrawPattern();
    // The three information lines on `dc`: step, title and colour; the
    // elapsed drawing time in clock ticks; a fixed remark.
    void DrawInfo(plat::DeviceContext* dc, plat::COLORREF color, long elapsed);
    // The key map over the pattern, until the next key or click draws the
    // pattern again.
    void DrawKeyMap();
    // Covers monitor `index` and draws the current step there; false (and
    // nothing moves) when there is no such monitor.
    bool MoveToMonitor(int index);

    // The renderers: each draws the pattern of m_nStep on the client area
    // through its own client-area context and times its drawing calls.
    void DrawBlockFill();
    void DrawVLineFill();
    void DrawHLineFill();
    void DrawDeadPixel();
    void DrawDotFillDown();
    void DrawDotFillRight();
    void DrawVLineGradient();
    void DrawHLineGradient();
    void DrawGrey();
    void DrawBlackLevel();
    void DrawGamma();
    void DrawSharpness();
    void DrawGrid();

    void OnLButtonDown(unsigned flags, plat::Point point);
    void OnRButtonDown(unsigned flags, plat::Point point);
    bool OnEraseBkgnd(plat::DeviceContext* dc);
    void OnPaint();
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags);
    void OnChar(unsigned character, unsigned repeat, unsigned flags);
    plat::LRESULT OnDisplayChange(plat::WPARAM, plat::LPARAM);

protected:
    void DoDataExchange(plat::DataExchange* dx) override;
    bool OnInitDialog() override;

    LV_DECLARE_MESSAGE_MAP()
};
