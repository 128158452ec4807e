#pragma once

// The window base class. A Wnd object is attached to a window (top-level or
// child control) identified by an HWND; messages reach the object through
// its message map, and anything unrouted goes to the window's default
// processing (`Default()` from inside a handler does the same explicitly).
// Every operation fails quietly (returns 0/false/empty) on an object that
// has no window, or whose window was destroyed.

#include "platform/Types.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/Messages.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

class Menu;

// Window handles are serial numbers that are never reused, so a handle kept
// past its window's end names no window rather than another one.
using HWND = std::uint32_t;

// Z-order positions for SetWindowPos.
enum class InsertAfter { Top,
    TopMost,
    NoTopMost };
constexpr InsertAfter wndTop = InsertAfter::Top;
constexpr InsertAfter wndTopMost = InsertAfter::TopMost;
constexpr InsertAfter wndNoTopMost = InsertAfter::NoTopMost;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// The draw request an owner-drawn control receives.
struct DrawItemStruct {
    unsigned controlType = ODT_BUTTON;
    int id = 0;
    unsigned action = ODA_DRAWENTIRE;
    unsigned state = 0; // ODS_* bits: ODS_SELECTED while pressed, ODS_DISABLED (4) when disabled
    Wnd* control = nullptr;
    DeviceContext* dc = nullptr; // drawing on the control's client area
    Rect rect;                   // the control's client rectangle, from (0, 0)
};

class Wnd {
public:
    Wnd() = default;
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    HWND m_hWnd = 0;
    HWND GetSafeHwnd() const { return m_hWnd; }
    // True while the object's window exists.
    bool IsWindow() const;
    static Wnd* FromHandle(HWND hwnd);
    // The desktop: its window rectangle is the primary screen.
    static Wnd* GetDesktopWindow();

    bool DestroyWindow();

    // Messages: Send runs the handler now; Post queues the message for the
    // event loop (safe from any thread; dropped if the window is gone by then).
    LRESULT SendMessage(unsigned message, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(unsigned message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Text: captions and texts as stored, line feeds included.
    void SetWindowText(std::string_view text);
    std::string GetWindowText() const;
    void GetWindowText(std::string& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const { return static_cast<int>(GetWindowText().size()); }

    // Placement. MoveWindow takes a top-level window's frame in screen
    // coordinates and a child's rectangle in its parent's client coordinates;
    // GetWindowRect always answers in screen coordinates.
    void MoveWindow(int x, int y, int width, int height, bool repaint = true);
    void MoveWindow(const Rect& rect, bool repaint = true);
    void CenterWindow(Wnd* alternateOwner = nullptr);
    bool SetWindowPos(InsertAfter after, int x, int y, int cx, int cy, unsigned flags);
    void GetWindowRect(Rect* rect) const;
    void GetClientRect(Rect* rect) const;
    void ScreenToClient(Point* point) const;
    void ScreenToClient(Rect* rect) const;
    void ClientToScreen(Point* point) const;
    void ClientToScreen(Rect* rect) const;

    bool ShowWindow(int command);
    bool IsWindowVisible() const;
    bool EnableWindow(bool enable = true); // returns whether it was disabled before
    bool IsWindowEnabled() const;
    bool IsIconic() const;

    int GetDlgCtrlID() const;
    Wnd* GetDlgItem(int id) const;
    Wnd* GetParent() const;
    Wnd* GetOwner() const;
    unsigned IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, unsigned check);
    void SetDlgItemText(int id, std::string_view text);
    std::string GetDlgItemText(int id) const;

    // A repaint request: later the window (and the children it overlaps)
    // gets erase-background (when `erase`) and then paint / draw-item.
    void InvalidateRect(const Rect* rect, bool erase = true);
    void Invalidate(bool erase = true) { InvalidateRect(nullptr, erase); }
    // Runs the pending repaint of this window now.
    void UpdateWindow();

    // Timers: ticks arrive as WM_TIMER with `id` on the UI thread every
    // `elapseMs` (at least 10 ms). Setting an existing id restarts it.
    // Returns `id` (0 on failure). Timers end with their window.
    std::uintptr_t SetTimer(std::uintptr_t id, unsigned elapseMs);
    bool KillTimer(std::uintptr_t id);

    // Mouse capture: this window gets the mouse until released.
    Wnd* SetCapture();
    static Wnd* GetCapture();
    static bool ReleaseCapture();

    // The window menu of a window with a system menu (null otherwise);
    // `revert` puts back the standard items.
    Menu* GetSystemMenu(bool revert);
    // The window's big or small icon (ICON_BIG / ICON_SMALL); returns the previous one.
    const Icon* SetIcon(const Icon* icon, bool bigIcon);
    const Icon* GetIcon(bool bigIcon) const;

    // Message processing.
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
    virtual LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(unsigned message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled.
    LRESULT Default();

    // Handlers a derived class may route in its map; each does the default.
    void OnMouseMove(unsigned flags, Point point);
    void OnLButtonDown(unsigned flags, Point point);
    void OnLButtonUp(unsigned flags, Point point);
    void OnRButtonDown(unsigned flags, Point point);
    void OnRButtonUp(unsigned flags, Point point);
    bool OnEraseBkgnd(DeviceContext* dc);
    void OnPaint();
    void OnTimer(std::uintptr_t id);
    void OnSysCommand(unsigned id, LPARAM param);
    const Brush* OnCtlColor(DeviceContext* dc, Wnd* control, unsigned kind);
    void OnDrawItem(int id, DrawItemStruct* item);
    const Icon* OnQueryDragIcon();
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags);
    void OnChar(unsigned character, unsigned repeat, unsigned flags);
    void OnClose();
    void OnDestroy();

protected:
    static const MessageMap* GetThisMessageMap();
    // The routing of one message through the map chain; false when no entry matched.
    bool OnWndMsg(unsigned message, WPARAM wParam, LPARAM lParam, LRESULT* result);
};

// Free forms of the calls the program makes on handles.
bool IsWindow(HWND hwnd);
// The cursor position in screen coordinates.
bool GetCursorPos(Point* point);

}
