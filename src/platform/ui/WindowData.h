#pragma once

// Internal: the state of one window, kept by the framework apart from the
// Wnd object that handles its messages, so that a window outlives nothing
// it points to and a destroyed window is simply absent from the table.

#include "platform/Types.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Icon.h"
#include "platform/ui/Wnd.h"

#include <memory>
#include <optional>
#include <string>
#include <variant>
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

// A top-level window's own state: a dialog (or message box), the desktop
// window or the window menu's popup.
struct TopLevelState {
    bool desktop = false; // the desktop window: its rectangle is the primary screen
    bool framed = false;  // caption and dialog frame: the client area is inset
    bool sysMenu = false;
    bool minimizeBox = false;
    bool topMost = false;
    bool rightPressed = false; // the right button went down on its background
    HWND focus = 0;            // the control with the keyboard focus
    bool focusCues = false;    // the focus rectangle shows (once the keyboard moved the focus)
    Font font;                 // the template font, which its controls use too
    const Icon* bigIcon = nullptr;
    const Icon* smallIcon = nullptr;
    std::unique_ptr<Menu> systemMenu;
    std::unique_ptr<NativeWindow> native;
};

// A push button, an automatic check box or an owner-drawn button.
struct ButtonState {
    bool ownerDraw = false;
    bool checkBox = false; // an automatic check box
    bool defaultButton = false;
    bool noPrefix = false;
    bool tabStop = false; // only buttons take the focus, so only theirs count
    int check = 0;
    bool pressed = false;    // drawn pushed in
    bool tracking = false;   // the left button went down on it and is still held
    bool keyPressed = false; // pushed in by Space, clicked when it is released
};

// A text or an icon; transparent to the mouse.
struct StaticState {
    bool noPrefix = false;
    bool sunken = false;
    std::optional<Icon> icon; // set for an icon static: its picture, loaded once (null if it did not load)
};

struct WebHostState {
    std::string address;
    std::shared_ptr<WebHostContent> content; // what it shows
};

// The fields every window has, and the state of its kind, which is made
// with the record and is the only one it holds: a button's check cannot be
// written on a dialog, nor a dialog's focus on a button.
struct WindowData {
    explicit WindowData(WindowKind kind);

    HWND handle = 0;
    const WindowKind kind;
    Wnd* object = nullptr;
    std::unique_ptr<Wnd> ownedObject; // made by the framework until a control object is attached

    HWND parent = 0;            // controls
    HWND owner = 0;             // top-level windows
    std::vector<HWND> children; // in template order, which is also the drawing order

    int id = 0;
    bool group = false; // a control that starts a group of controls for the arrow keys
    std::string text;
    Rect rect; // control: in the parent's client area; top-level: the frame, in screen coordinates
    bool visible = false;
    bool enabled = true;

    // Pending repaint, in this window's client coordinates.
    Rect update;
    bool invalid = false;
    bool erase = false;

    // The state of this window's kind; null for any other kind.
    TopLevelState* AsTopLevel() { return std::get_if<TopLevelState>(&m_state); }
    const TopLevelState* AsTopLevel() const { return std::get_if<TopLevelState>(&m_state); }
    ButtonState* AsButton() { return std::get_if<ButtonState>(&m_state); }
    const ButtonState* AsButton() const { return std::get_if<ButtonState>(&m_state); }
    StaticState* AsStatic() { return std::get_if<StaticState>(&m_state); }
    const StaticState* AsStatic() const { return std::get_if<StaticState>(&m_state); }
    WebHostState* AsWebHost() { return std::get_if<WebHostState>(&m_state); }
    const WebHostState* AsWebHost() const { return std::get_if<WebHostState>(&m_state); }

    bool IsTopLevel() const { return AsTopLevel() != nullptr; }
    bool IsDesktop() const { return IsTopLevel() && AsTopLevel()->desktop; }
    // A top-level window's SDL window; null for a control, for the desktop and until it is made.
    NativeWindow* Native() const { return IsTopLevel() ? AsTopLevel()->native.get() : nullptr; }

private:
    std::variant<TopLevelState, ButtonState, StaticState, WebHostState> m_state;
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

}

}
