// What the test window draws over a pattern once its timing has stopped:
// the rings of the marked pixels, the notice that no more marks fit, and
// the loupe. While one is shown, the pattern as drawn is kept in a bitmap,
// so an overlay that moves or goes away is replaced by the pattern's own
// pixels without drawing (and timing) the pattern again.

#include "screentest/TestWnd.h"

#include "platform/gfx/GdiConstants.h"
#include "platform/intl/Translate.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Monitors.h"
#include "screentest/InspectionGuide.h"
#include "screentest/MarkRing.h"
#include "screentest/Patterns.h"

#include <span>

namespace {

constexpr int kInfoX = 100;
constexpr int kInfoY = 100;
constexpr int kInfoLineGap = 20;
// The information lines' rows, the fourth and the notice below them.
constexpr int kInfoRows = 5;
constexpr std::string_view kMarksFull = plat::TranslateLater(" 标记已达 1000 个, 不能再标记 ");

plat::Size SizeOf(const plat::Rect& r) { return { r.Width(), r.Height() }; }

}

bool CTestWnd::SizePatternPicture(plat::DeviceContext& dc, plat::Size size)
{
    plat::Size have = m_bmPattern.GetSize();
    if (!m_bmPattern.IsNull() && have.cx == size.cx && have.cy == size.cy)
        return true;
    m_bPictureKept = false;
    m_rcInfoKept = {};
    m_dcPattern.DeleteDC();
    m_bmPattern.DeleteObject();
    m_dcPattern.CreateCompatibleDC(&dc);
    if (!m_bmPattern.CreateCompatibleBitmap(dc, size.cx, size.cy))
        return false;
    m_dcPattern.SelectObject(m_bmPattern);
    return true;
}

bool CTestWnd::OverlayShown()
{
    if (m_loupe.IsShown() || m_bKeyMap || (m_inspection && m_inspection->HasOverlay()))
        return true;
    const CDefectMarks* marks = m_marks.empty() ? nullptr : CurrentMarks(false);
    return marks && !marks->IsEmpty();
}

void CTestWnd::KeepPatternPicture(plat::DeviceContext& dc, plat::COLORREF color, long elapsed)
{
    m_crStep = color;
    m_nElapsed = elapsed;
    // A new picture: a refusal shown over the last one is old news.
    m_bMarksFull = false;
    m_bPictureKept = false;
    m_rcInfoKept = {};
    plat::Rect client;
    GetClientRect(&client);
    // Copying the whole step would double its cost: it is copied only for
    // an overlay that is already shown.
    if (OverlayShown()) {
        if (SizePatternPicture(dc, SizeOf(client))) {
            m_dcPattern.BitBlt(0, 0, client.Width(), client.Height(), dc, 0, 0, plat::SRCCOPY);
            m_bPictureKept = true;
        }
        return;
    }
    if (m_bShowInfo != 1)
        return;
    plat::Rect info = plat::Rect { kInfoX, kInfoY, client.right, kInfoY + kInfoRows * kInfoLineGap }.Intersected(client);
    if (info.IsEmpty() || !SizePatternPicture(dc, SizeOf(client)))
        return;
    m_dcPattern.BitBlt(info.left, info.top, info.Width(), info.Height(), dc, info.left, info.top, plat::SRCCOPY);
    m_rcInfoKept = info;
}

void CTestWnd::TakePatternPicture()
{
    plat::Rect client;
    GetClientRect(&client);
    plat::Size have = m_bmPattern.GetSize();
    if (m_bPictureKept && have.cx == client.Width() && have.cy == client.Height())
        return;
    plat::ClientDC dc(this);
    if (!SizePatternPicture(dc, SizeOf(client)))
        return;
    // No overlay is on the screen yet; the information lines are, over
    // the pattern kept from under them.
    const plat::Rect& info = m_rcInfoKept;
    const plat::Rect around[] = { { 0, 0, client.right, info.top }, { 0, info.top, info.left, info.bottom },
        { info.right, info.top, client.right, info.bottom }, { 0, info.bottom, client.right, client.bottom } };
    for (const plat::Rect& r : info.IsEmpty() ? std::span<const plat::Rect>(&client, 1) : std::span(around))
        if (!r.IsEmpty())
            m_dcPattern.BitBlt(r.left, r.top, r.Width(), r.Height(), dc, r.left, r.top, plat::SRCCOPY);
    m_bPictureKept = true;
}

void CTestWnd::DrawOverlays(plat::DeviceContext& dc)
{
    // Every overlay takes the picture before it is first drawn.
    if (!m_bPictureKept)
        return;
    plat::Rect client;
    GetClientRect(&client);
    if (const CDefectMarks* marks = CurrentMarks(false)) {
        plat::COLORREF ring = ContrastingBlackOrWhite(m_crStep);
        for (const DefectMark& mark : marks->All())
            DrawTwoToneMarkRing(dc, mark.at, ring);
    }
    if (m_bMarksFull) {
        dc.SelectObject(m_font);
        dc.TextOut(kInfoX, kInfoY + (kInfoRows - 1) * kInfoLineGap, plat::Translate(kMarksFull));
    }
    if (m_loupe.IsShown())
        m_loupe.Draw(dc, m_dcPattern, SizeOf(client), ContrastingBlackOrWhite(m_crStep), m_font);
}

void CTestWnd::RestoreArea(plat::Rect area)
{
    // Without a picture nothing lies over the pattern.
    if (!m_bPictureKept)
        return;
    plat::Rect client;
    GetClientRect(&client);
    area = area.Intersected(client);
    plat::ClientDC dc(this);
    if (!area.IsEmpty())
        dc.BitBlt(area.left, area.top, area.Width(), area.Height(), m_dcPattern, area.left, area.top, plat::SRCCOPY);
    if (m_bShowInfo == 1 && area.top < kInfoY + kInfoRows * kInfoLineGap && area.bottom > kInfoY)
        DrawInfo(&dc, m_crStep, m_nElapsed);
    // What the pattern's hooks draw over the step (the flasher's warning)
    // is not in the kept picture either.
    if (m_hooks)
        m_hooks->DrawOver(dc, client, m_font);
    if (m_inspection)
        m_inspection->DrawOver(dc, client, m_font);
    DrawOverlays(dc);
    if (m_bKeyMap)
        DrawKeyMap();
}

CDefectMarks* CTestWnd::CurrentMarks(bool create)
{
    // The window names its monitor once it has moved; before that it covers
    // the primary screen under whatever name that has.
    std::string output = m_strMonitor;
    plat::MonitorInfo info;
    if (output.empty() && plat::GetMonitorInfo(m_nMonitor, &info))
        output = info.name;
    for (MonitorMarks& entry : m_marks)
        if (entry.output == output)
            return &entry.marks;
    if (!create)
        return nullptr;
    // The monitor's identity as it is now, kept should it go away later.
    m_marks.push_back({ output, IdentifyTestedMonitor(m_nMonitor), {} });
    return &m_marks.back().marks;
}

plat::Point CTestWnd::PointerPixel() const
{
    plat::Point pointer;
    plat::GetCursorPos(&pointer);
    ScreenToClient(&pointer);
    return pointer;
}

void CTestWnd::MarkAt(plat::Point at, bool toggle)
{
    plat::Rect client;
    GetClientRect(&client);
    if (!client.Contains(at))
        return;
    TakePatternPicture();
    DefectMark mark { at, m_pattern ? std::string(m_pattern->name) : std::string(), m_nStep,
        m_dcPattern.GetPixel(at.x, at.y) };
    CDefectMarks* marks = CurrentMarks(true);
    CDefectMarks::Change change = toggle ? marks->Toggle(mark) : marks->Add(mark);
    m_bMarksFull = change == CDefectMarks::Change::Refused;
    plat::Rect ring { at.x - kMarkRingOuterRadius, at.y - kMarkRingOuterRadius, at.x + kMarkRingOuterRadius + 1,
        at.y + kMarkRingOuterRadius + 1 };
    if (change == CDefectMarks::Change::Removed) {
        RestoreArea(ring);
    } else {
        plat::ClientDC dc(this);
        DrawOverlays(dc);
    }
}

void CTestWnd::ClearMarks()
{
    if (CDefectMarks* marks = CurrentMarks(false))
        marks->Clear();
    m_bMarksFull = false;
    plat::Rect client;
    GetClientRect(&client);
    RestoreArea(client);
}

void CTestWnd::ToggleLoupe()
{
    plat::Rect client;
    GetClientRect(&client);
    if (m_loupe.IsShown()) {
        m_loupe.Show(false);
        RestoreArea(m_loupe.Area(SizeOf(client)));
        return;
    }
    TakePatternPicture();
    m_loupe.MoveTo(PointerPixel());
    m_loupe.Show(true);
    plat::ClientDC dc(this);
    m_loupe.Draw(dc, m_dcPattern, SizeOf(client), ContrastingBlackOrWhite(m_crStep), m_font);
}

void CTestWnd::OnMouseMove(unsigned, plat::Point point)
{
    if (!m_loupe.IsShown() || m_bHooksDrew)
        return;
    plat::Rect client;
    GetClientRect(&client);
    plat::Rect old = m_loupe.Area(SizeOf(client));
    m_loupe.MoveTo(point);
    RestoreArea(old);
}

void CTestWnd::OnMButtonDown(unsigned, plat::Point point)
{
    // Nothing to mark on a screen drawn instead of the step.
    if (CloseKeyMap() || m_bHooksDrew || (m_hooks && m_hooks->OnClick(*this)))
        return;
    // Where the click was, not where the pointer is by the time it is
    // handled: clicks queued behind a drawing keep their pixels.
    MarkAt(point, false);
    Default();
}
