#include "widgets/SoftBar.h"

#include "widgets/CaptionFont.h"
#include "widgets/HoverRedraw.h"

#include <algorithm>
#include <climits>

using namespace plat;

namespace {

constexpr int kCorner = 9;
constexpr std::string_view kLineBreak = "换行";
// Usable area inside the client rectangle.
constexpr int kMarginLeft = 9;
constexpr int kMarginTop = 18;
constexpr int kMarginRight = 6;
constexpr int kMarginBottom = 3;
constexpr int kMinUsableWidth = 100;
constexpr int kGapX = 5;
constexpr int kGapY = 3;

int ClampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}

LV_BEGIN_MESSAGE_MAP(CSoftBar, plat::Button)
    LV_ON_WM_MOUSEMOVE()
    LV_ON_WM_TIMER()
LV_END_MESSAGE_MAP()

// Widths and the row height come from the file and may be anything an int
// holds, so the running position is kept in 64 bits and stored clamped.
int CSoftBar::Layout()
{
    if (!IsWindow())
        return 1;
    if (m_strMode != "tamrel")
        return 0;
    Rect client;
    GetClientRect(&client);
    const long long left = client.left + kMarginLeft;
    const long long top = client.top + kMarginTop;
    const long long right = client.right - kMarginRight;
    const long long bottom = client.bottom - kMarginBottom;
    if (right - left < kMinUsableWidth)
        return 1;

    long long x = left;
    long long rowTop = top;
    long long rowBottom = top + m_nRowHeight;
    for (int i = 0; i < m_nCount; ++i) {
        SoftEntry& entry = m_entries[static_cast<std::size_t>(i)];
        if (entry.caption == kLineBreak) {
            entry.rect = {};
            x = right + 10;
            continue;
        }
        const long long width = static_cast<long long>(entry.rect.right) - entry.rect.left;
        if (x + width > right) {
            x = left;
            rowTop = rowBottom + kGapY;
            rowBottom = rowTop + m_nRowHeight;
        }
        if (rowBottom > bottom)
            entry.rect = { 0, 0, ClampToInt(width), 0 };
        else
            entry.rect = { ClampToInt(x), ClampToInt(rowTop), ClampToInt(x + width), ClampToInt(rowBottom) };
        x += width + kGapX;
    }
    return 0;
}

int CSoftBar::Redraw()
{
    if (m_strMode != "tamrel")
        return 1;
    return widgets::RedrawThroughBuffer(*this, [this](DeviceContext& dc, const Rect& rect) { Paint(dc, rect); });
}

void CSoftBar::Paint(DeviceContext& dc, const Rect& r)
{
    dc.FillRect(r, Brush(m_crBack));
    Font previousFont = dc.SelectObject(CaptionFont());

    Pen framePen(PS_SOLID, 1, m_crFramePen);
    Brush frameBrush(m_crBack);
    Pen previousPen = dc.SelectObject(framePen);
    Brush previousBrush = dc.SelectObject(frameBrush);
    dc.RoundRect(r.left + 2, r.top + 9, r.right - 2, r.bottom - 2, kCorner, kCorner);

    // Still opaque: the caption's background hides the frame line behind it.
    dc.SetBkColor(m_crBack);
    dc.SetTextColor(m_crCaptionText);
    dc.DrawText(m_strCaption, { r.left + 22, r.top + 1, r.right - 2, r.top + 17 }, DT_SINGLELINE | DT_VCENTER);

    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < m_nCount; ++i) {
        const SoftEntry& entry = m_entries[static_cast<std::size_t>(i)];
        // Line breaks, entries that did not fit and widths of zero or less.
        if (entry.rect.IsEmpty())
            continue;
        const bool hot = entry.hover == 1;
        dc.SetTextColor(hot ? m_crHotText : m_crItemText);
        Pen pen(PS_SOLID, 1, hot ? m_crHotPen : m_crItemPen);
        Brush face(hot ? m_crHotFace : m_crItemFace);
        dc.SelectObject(pen);
        dc.SelectObject(face);
        dc.RoundRect(entry.rect, { kCorner, kCorner });
        dc.DrawText(entry.caption, entry.rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }

    dc.SelectObject(previousPen);
    dc.SelectObject(previousBrush);
    dc.SelectObject(previousFont);
}

bool CSoftBar::UpdateHover()
{
    Point cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    int changes = 0;
    for (int i = 0; i < m_nCount; ++i) {
        SoftEntry& entry = m_entries[static_cast<std::size_t>(i)];
        const int inside = PtInRect(entry.rect, cursor) ? 1 : 0;
        if (entry.hover != inside) {
            entry.hover = inside;
            ++changes;
        }
    }
    if (changes > 0)
        Redraw();
    Rect client;
    GetClientRect(&client);
    return PtInRect(client, cursor);
}

int CSoftBar::HitTest() const
{
    Point cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    for (int i = 0; i < m_nCount; ++i)
        if (PtInRect(m_entries[static_cast<std::size_t>(i)].rect, cursor))
            return i;
    return -1;
}

// Pressed, focused and disabled states have no look of their own.
void CSoftBar::DrawItem(const DrawItemStruct&)
{
    Redraw();
}

void CSoftBar::OnMouseMove(unsigned, Point)
{
    Default();
    widgets::RestartHoverTimer(*this, [this] {
        UpdateHover();
        Redraw();
    });
}

void CSoftBar::OnTimer(std::uintptr_t id)
{
    if (!widgets::HandleHoverTick(*this, id, [this] { return UpdateHover(); }))
        Default();
}
