// What the test window draws over a pattern once its timing has stopped:
// the rings of the marked pixels, the notice that no more marks fit, and
// the loupe. The pattern as drawn is kept in a bitmap, so an overlay that
// moves or goes away is replaced by the pattern's own pixels without
// drawing (and timing) the pattern again.

#include "screentest/TestWnd.h"

#include "platform/gfx/GdiConstants.h"
#include "platform/intl/Translate.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Monitors.h"
#include "screentest/MarkRing.h"
#include "screentest/Patterns.h"

namespace {

constexpr int kInfoX = 100;
constexpr int kInfoY = 100;
constexpr int kInfoLineGap = 20;
// The information lines' rows, the fourth and the notice below them.
constexpr int kInfoRows = 5;
constexpr std::string_view kMarksFull = plat::TranslateLater(" 标记已达 1000 个, 不能再标记 ");

plat::Size SizeOf(const plat::Rect& r) { return { r.Width(), r.Height() }; }

}

void CTestWnd::KeepPatternPicture(plat::DeviceContext& dc, plat::COLORREF color, long elapsed)
{
    m_crStep = color;
    m_nElapsed = elapsed;
    plat::Rect client;
    GetClientRect(&client);
    plat::Size have = m_bmPattern.GetSize();
    if (m_bmPattern.IsNull() || have.cx != client.Width() || have.cy != client.Height()) {
        m_dcPattern.DeleteDC();
        m_bmPattern.DeleteObject();
        m_dcPattern.CreateCompatibleDC(&dc);
        if (!m_bmPattern.CreateCompatibleBitmap(dc, client.Width(), client.Height()))
            return;
        m_dcPattern.SelectObject(m_bmPattern);
    }
    m_dcPattern.BitBlt(0, 0, client.Width(), client.Height(), dc, 0, 0, plat::SRCCOPY);
    // A new picture: a refusal shown over the last one is old news.
    m_bMarksFull = false;
}

void CTestWnd::DrawOverlays(plat::DeviceContext& dc)
{
    plat::Rect client;
    GetClientRect(&client);
    if (const CDefectMarks* marks = CurrentMarks(false)) {
        plat::COLORREF ring = ContrastingBlackOrWhite(m_crStep);
        for (const DefectMark& mark : marks->All())
            DrawMarkRing(dc, mark.at, ring);
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

void CTestWnd::MarkPointer(bool toggle)
{
    plat::Rect client;
    GetClientRect(&client);
    plat::Point at = PointerPixel();
    if (!client.Contains(at))
        return;
    DefectMark mark { at, m_pattern ? std::string(m_pattern->name) : std::string(), m_nStep,
        m_dcPattern.GetPixel(at.x, at.y) };
    CDefectMarks* marks = CurrentMarks(true);
    CDefectMarks::Change change = toggle ? marks->Toggle(mark) : marks->Add(mark);
    m_bMarksFull = change == CDefectMarks::Change::Refused;
    plat::Rect ring { at.x - kMarkRingRadius, at.y - kMarkRingRadius, at.x + kMarkRingRadius + 1,
        at.y + kMarkRingRadius + 1 };
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

void CTestWnd::OnMButtonDown(unsigned, plat::Point)
{
    if (CloseKeyMap() || (m_hooks && m_hooks->OnClick(*this)))
        return;
    MarkPointer(false);
    Default();
}
