#pragma once

// An owner-drawn push button whose face is cut from a 300 x 22 picture
// strip (normal, highlighted, disabled) with its caption centred on it. The
// left half of the button shows the strip's left end and the right half its
// right end, so any width up to 600 pixels is covered without stretching.
// Highlighted while the cursor is over it or the left button is held on it;
// because no message says the cursor has left, a 100 ms timer checks the
// cursor against the window and clears the highlight. State changes
// invalidate the window; the paint cycle then calls DrawItem.

#include "platform/ui/Button.h"
#include "resource.h"

#include <cstdint>

class CSkinButton : public plat::Button {
public:
    static constexpr int kStateNormal = 0;
    static constexpr int kStateHighlighted = 2;
    // Bitmap resources of the three strips.
    static constexpr int kStripNormal = IDB_SKIN_NORMAL;
    static constexpr int kStripHighlighted = IDB_SKIN_HOT;
    static constexpr int kStripDisabled = IDB_SKIN_DISABLED;
    static constexpr int kStripWidth = 300;

    CSkinButton() = default;
    ~CSkinButton() override;

    void DrawItem(const plat::DrawItemStruct& item) override;

    void OnMouseMove(unsigned flags, plat::Point point);
    void OnLButtonUp(unsigned flags, plat::Point point);
    void OnLButtonDown(unsigned flags, plat::Point point);
    void OnTimer(std::uintptr_t id);

    int m_nState = kStateNormal;
    // The running leave-check timer as SetTimer returned it; 0 when none runs.
    std::uintptr_t m_nTimer = 0;

    LV_DECLARE_MESSAGE_MAP()
};
