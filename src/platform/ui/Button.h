#pragma once

// Push buttons, automatic check boxes and owner-drawn buttons. What a
// button is comes from its template; a Button object (or a class derived
// from it, attached with DDX_Control) handles its messages. The default
// processing presses the button on left-button down (with mouse capture),
// and on release over the button toggles a check box and sends the parent
// WM_COMMAND with BN_CLICKED and the control id.
//
// An owner-drawn button is drawn by its DrawItem whenever it needs it:
//
//     class CSkinButton : public plat::Button {
//         void DrawItem(const plat::DrawItemStruct& item) override
//         {
//             bool disabled = item.state & plat::ODS_DISABLED;
//             item.dc->FillSolidRect(item.rect, ...);
//         }
//     };

#include "platform/ui/Wnd.h"

namespace plat {

class Button : public Wnd {
public:
    // Check state: BST_CHECKED (1) or BST_UNCHECKED (0).
    int GetCheck() const;
    void SetCheck(int check);
    // Drawn pushed in (while the left button is held on it).
    bool IsPushed() const;

    // Draws an owner-drawn button; the default draws nothing.
    virtual void DrawItem(const DrawItemStruct& item);
};

}
