#pragma once

// An owner-drawn push button with a 32 x 32 picture centred near its top and
// its caption (the control's window text) below it, on a pale rounded face.
// While the cursor is over it the outline and caption turn to the hot
// colours. It never waits for a leave notice: each mouse move (re)arms timer
// 1 (200 ms), and each tick compares the cursor with the client area, so the
// hot look goes at most 200 ms after the cursor has left. Every repaint goes
// through an off-screen bitmap of the button's size. There is no pressed,
// focused or disabled look. The control must be owner-drawn (its template
// says so); attach it with DDX_Control, then call SetImage once.

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/ImageList.h"
#include "platform/ui/Button.h"

class CImageButton : public plat::Button {
public:
    CImageButton() = default;
    ~CImageButton() override;

    // Picture from bitmap resource `bitmapId`, white transparent; a bitmap
    // that cannot be loaded leaves the button without a picture.
    void SetImage(int bitmapId);
    // Repaints the whole button now; 1 when it has no window, else 0.
    int Redraw();
    // The complete look into `rect` of `dc` (rect starts at 0, 0).
    void Paint(plat::DeviceContext& dc, const plat::Rect& rect);
    // Follows the cursor: sets or clears the hot look (repainting on a
    // change); true when the cursor is inside the client area.
    bool UpdateHover();

    void DrawItem(const plat::DrawItemStruct& item) override;

    void OnMouseMove(unsigned flags, plat::Point point);
    void OnTimer(std::uintptr_t id);

    int m_bHover = 0;
    int m_nBitmapId = 0;
    plat::ImageList m_imageList;
    plat::COLORREF m_crBack = plat::RGB(240, 240, 240);
    plat::COLORREF m_crPen = plat::RGB(21, 92, 147);
    plat::COLORREF m_crFace = plat::RGB(220, 237, 250);
    plat::COLORREF m_crText = plat::RGB(0, 0, 0);
    plat::COLORREF m_crHotPen = plat::RGB(87, 142, 184);
    plat::COLORREF m_crHotFace = plat::RGB(220, 237, 250);
    plat::COLORREF m_crHotText = plat::RGB(18, 103, 168);

    LV_DECLARE_MESSAGE_MAP()
};
