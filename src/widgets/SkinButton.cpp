#include "widgets/SkinButton.h"

#include "platform/gfx/DeviceContext.h"
#include "widgets/CaptionFont.h"

using namespace plat;

namespace {

constexpr std::uintptr_t kLeaveTimer = 1;
constexpr unsigned kLeaveTimerMs = 100;
constexpr int kCaptionHeight = 22;
constexpr COLORREF kBack = RGB(240, 240, 240);
constexpr COLORREF kTextNormal = RGB(16, 16, 16);
constexpr COLORREF kTextHighlighted = RGB(51, 51, 51);
constexpr COLORREF kTextDisabled = RGB(165, 165, 165);

}

LV_BEGIN_MESSAGE_MAP(CSkinButton, plat::Button)
    LV_ON_WM_MOUSEMOVE()
    LV_ON_WM_LBUTTONUP()
    LV_ON_WM_LBUTTONDOWN()
    LV_ON_WM_TIMER()
LV_END_MESSAGE_MAP()

CSkinButton::~CSkinButton() = default;

void CSkinButton::OnMouseMove(unsigned, Point point)
{
    Default();
    Rect client;
    GetClientRect(&client);
    int state = PtInRect(client, point) ? kStateHighlighted : kStateNormal;
    if (state == m_nState)
        return;
    m_nState = state;
    Invalidate(true);
    if (m_nTimer != 0) {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    m_nTimer = SetTimer(kLeaveTimer, kLeaveTimerMs);
}

void CSkinButton::OnLButtonDown(unsigned, Point)
{
    Default();
    m_nState = kStateHighlighted;
    Invalidate(true);
}

// The default processing sends the click when released over the button; the
// face goes back to normal even though the cursor is still over it.
void CSkinButton::OnLButtonUp(unsigned, Point)
{
    Default();
    m_nState = kStateNormal;
    Invalidate(true);
}

void CSkinButton::OnTimer(std::uintptr_t id)
{
    if (id == kLeaveTimer) {
        Point cursor;
        GetCursorPos(&cursor);
        Rect window;
        GetWindowRect(&window);
        if (!PtInRect(window, cursor)) {
            KillTimer(m_nTimer);
            m_nTimer = 0;
            m_nState = kStateNormal;
            Invalidate(true);
        }
    }
    Default();
}

void CSkinButton::DrawItem(const DrawItemStruct& item)
{
    if (!item.dc)
        return;
    DeviceContext& dc = *item.dc;
    const Rect& r = item.rect;
    int w = r.Width();
    int h = r.Height();

    dc.FillRect(r, Brush(kBack));
    dc.SetBkMode(TRANSPARENT);

    int stripId = kStripNormal;
    COLORREF text = kTextNormal;
    if (item.state & ODS_DISABLED) {
        stripId = kStripDisabled;
        text = kTextDisabled;
    } else if (m_nState == kStateHighlighted) {
        stripId = kStripHighlighted;
        text = kTextHighlighted;
    }

    // The strip's left end on the left half, its right end on the right
    // half. Columns and rows beyond the strip (wider than 600 or taller than
    // 22 pixels) are not copied and keep the background.
    Bitmap strip;
    strip.LoadBitmap(stripId);
    DeviceContext memory;
    memory.CreateCompatibleDC(&dc);
    Bitmap previous = memory.SelectObject(strip);
    int half = w / 2;
    dc.BitBlt(r.left, r.top, half, h, memory, 0, 0, SRCCOPY);
    dc.BitBlt(r.left + half, r.top, w - half, h, memory, kStripWidth - (w - half), 0, SRCCOPY);
    memory.SelectObject(previous);
    memory.DeleteDC();
    strip.DeleteObject();

    dc.SetTextColor(text);
    Font previousFont = dc.SelectObject(CaptionFont());
    Rect caption = r;
    if (h > kCaptionHeight)
        caption.bottom = r.top + kCaptionHeight;
    dc.DrawText(GetWindowText(), caption, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    dc.SelectObject(previousFont);
}
