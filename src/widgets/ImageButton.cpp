#include "widgets/ImageButton.h"

#include "widgets/CaptionFont.h"
#include "widgets/HoverRedraw.h"

using namespace plat;

namespace {

constexpr int kPictureSize = 32;
constexpr int kPictureTop = 8;
constexpr int kCaptionTop = 46;
constexpr int kCorner = 9;
constexpr COLORREF kTransparent = RGB(255, 255, 255);

}

LV_BEGIN_MESSAGE_MAP(CImageButton, plat::Button)
    LV_ON_WM_TIMER()
    LV_ON_WM_MOUSEMOVE()
LV_END_MESSAGE_MAP()

CImageButton::~CImageButton() = default;

void CImageButton::SetImage(int bitmapId)
{
    m_nBitmapId = bitmapId;
    m_imageList.Create(kPictureSize, kPictureSize, ILC_COLOR24 | ILC_MASK, 1, 1);
    Bitmap picture;
    if (picture.LoadBitmap(bitmapId))
        m_imageList.AddMasked(picture, kTransparent);
    picture.DeleteObject();
}

int CImageButton::Redraw()
{
    return widgets::RedrawThroughBuffer(*this, [this](DeviceContext& dc, const Rect& rect) { Paint(dc, rect); });
}

void CImageButton::Paint(DeviceContext& dc, const Rect& rect)
{
    dc.FillRect(rect, Brush(m_crBack));
    Font previousFont = dc.SelectObject(CaptionFont());

    bool hot = m_bHover == 1;
    dc.SetTextColor(hot ? m_crHotText : m_crText);
    Pen pen(PS_SOLID, 1, hot ? m_crHotPen : m_crPen);
    Brush face(hot ? m_crHotFace : m_crFace);
    Pen previousPen = dc.SelectObject(pen);
    Brush previousBrush = dc.SelectObject(face);

    dc.RoundRect(rect.left, rect.top, rect.right, rect.bottom, kCorner, kCorner);
    // A button narrower than the picture puts it at a negative x: cut on the left.
    Point picture { rect.left + (rect.Width() - kPictureSize) / 2, rect.top + kPictureTop };
    m_imageList.Draw(dc, 0, picture, ILD_TRANSPARENT);

    dc.SetBkMode(TRANSPARENT);
    // Centred lines that break only at the caption's own line breaks, clipped.
    Rect caption { rect.left, rect.top + kCaptionTop, rect.right, rect.bottom };
    dc.DrawText(GetWindowText(), caption, DT_CENTER | DT_VCENTER);

    dc.SelectObject(previousPen);
    dc.SelectObject(previousBrush);
    dc.SelectObject(previousFont);
}

bool CImageButton::UpdateHover()
{
    Point cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    Rect client;
    GetClientRect(&client);
    bool inside = PtInRect(client, cursor);
    if (inside && m_bHover == 0) {
        m_bHover = 1;
        Redraw();
    } else if (!inside && m_bHover == 1) {
        m_bHover = 0;
        Redraw();
    }
    return inside;
}

// Pressed, focused and disabled states have no look of their own.
void CImageButton::DrawItem(const DrawItemStruct&)
{
    Redraw();
}

void CImageButton::OnMouseMove(unsigned, Point)
{
    Default();
    widgets::RestartHoverTimer(*this, [this] {
        UpdateHover();
        Redraw();
    });
}

void CImageButton::OnTimer(std::uintptr_t id)
{
    if (!widgets::HandleHoverTick(*this, id, [this] { return UpdateHover(); }))
        Default();
}
