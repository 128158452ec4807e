#pragma once

// Internal: the state of one window, kept by the framework apart from the
// Wnd object that handles its messages, so that a window outlives nothing
// it points to and a destroyed window is simply absent from the table.

#include "platform/Types.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Icon.h"
#include "platform/ui/Wnd.h"

#include <memory>
#include <string>
#include <vector>

namespace plat {

class Menu;
class NativeWindow;
class WebHostContent;

enum class WindowKind {
    Dialog,  // a top-level window made from a template (or a message box)
    Button,  // push button, check box or owner-drawn button
    Static,  // text or icon; transparent to the mouse
    WebHost, // the web panel's rectangle
    Popup,   // the window menu's popup
};

struct WindowData {
    HWND handle = 0;
    WindowKind kind = WindowKind::Dialog;
    Wnd* object = nullptr;
    std::unique_ptr<Wnd> ownedObject; // made by the framework until a control object is attached

    HWND parent = 0;            // child windows
    HWND owner = 0;             // top-level windows
    std::vector<HWND> children; // in template order, which is also the drawing order

    int id = 0;
    std::string text;
    Rect rect;            // child: in the parent's client area; top-level: the frame, in screen coordinates
    bool desktop = false; // the desktop window: its rectangle is the primary screen
    bool framed = false;  // caption and dialog frame: the client area is inset

    bool visible = false;
    bool enabled = true;
    bool sysMenu = false;
    bool minimizeBox = false;
    bool topMost = false;

    // Controls.
    bool ownerDraw = false;
    bool checkBox = false; // an automatic check box
    bool defaultButton = false;
    bool noPrefix = false;
    bool sunken = false;
    bool tabStop = false;
    bool group = false; // starts a group of controls for the arrow keys
    bool iconStatic = false;
    int iconId = 0;
    Icon icon; // an icon static's picture, loaded once
    int check = 0;
    bool pressed = false;      // drawn pushed in
    bool tracking = false;     // the left button went down on it and is still held
    bool rightPressed = false; // the right button went down on its background
    bool keyPressed = false;   // pushed in by Space, clicked when it is released
    HWND focus = 0;            // dialogs: the control with the keyboard focus
    bool focusCues = false;    // dialogs: the focus rectangle shows (once the keyboard moved the focus)
    std::string hostAddress;
    std::shared_ptr<WebHostContent> webContent; // what a web host shows

    // Pending repaint, in this window's client coordinates.
    Rect update;
    bool invalid = false;
    bool erase = false;

    Font font; // the template font (top-level windows; children use their top-level's)
    const Icon* bigIcon = nullptr;
    const Icon* smallIcon = nullptr;
    std::unique_ptr<Menu> systemMenu;
    std::unique_ptr<NativeWindow> native; // top-level windows only

    bool IsTopLevel() const { return parent == 0; }
};

namespace windows {

WindowData* Find(HWND hwnd);
WindowData* Find(const Wnd* wnd);
// A new window record attached to `object` (may be null: see `ownedObject`).
WindowData& Create(WindowKind kind, Wnd* object, HWND parent);
// Destroys the window, its children first; sends WM_DESTROY to each while
// its object is still attached, kills its timers, releases the capture.
void Destroy(HWND hwnd);
// Every top-level window, in creation order.
std::vector<HWND> TopLevels();
// The top-level window that contains `hwnd`.
WindowData* TopLevelOf(WindowData& data);
// The child of `parent` with control identifier `id`.
WindowData* ChildById(const WindowData& parent, int id);

// The client rectangle's origin in top-level client coordinates (zero for
// a top-level window) and in screen coordinates.
Point OriginInTopLevel(const WindowData& data);
Point ClientOriginOnScreen(const WindowData& data);
Size ClientSize(const WindowData& data);
// Inset of the client area inside a framed top-level window.
constexpr int kFrameSide = 3;
constexpr int kFrameTop = 25;

// Sends a message to whatever object handles the window now.
LRESULT Send(HWND hwnd, unsigned message, WPARAM wParam = 0, LPARAM lParam = 0);

}

}
