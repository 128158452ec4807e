#include "platform/ui/DialogKeys.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Painter.h"

#include <algorithm>
#include <vector>

namespace plat::defproc {

namespace {

bool CanFocus(const WindowData& c)
{
    return c.AsButton() && c.visible && c.enabled;
}

HWND FocusOf(const WindowData& dialog)
{
    const TopLevelState* top = dialog.AsTopLevel();
    return top ? top->focus : 0;
}

void Command(WindowData& dialog, int id, HWND from)
{
    windows::Send(dialog.handle, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), static_cast<LPARAM>(from));
}

bool IsPushButton(const WindowData& c)
{
    const ButtonState* button = c.AsButton();
    return button && !button->ownerDraw && !button->checkBox;
}

// Enter: the focused push button, else the default button, else IDOK.
void AcceptCommand(WindowData& dialog)
{
    if (WindowData* f = FocusedControl(dialog); f && IsPushButton(*f)) {
        Command(dialog, f->id, f->handle);
        return;
    }
    for (HWND child : dialog.children) {
        WindowData* c = windows::Find(child);
        const ButtonState* button = c ? c->AsButton() : nullptr;
        if (button && button->defaultButton && c->visible && c->enabled) {
            Command(dialog, c->id, c->handle);
            return;
        }
    }
    Command(dialog, IDOK, 0);
}

void Repaint(HWND hwnd)
{
    if (WindowData* c = windows::Find(hwnd))
        painter::Invalidate(*c, nullptr, false);
}

// Moves the focus `step` places through `order`, wrapping; from nowhere,
// to the first (forward) or the last.
void Move(WindowData& dialog, const std::vector<HWND>& order, int step)
{
    TopLevelState* top = dialog.AsTopLevel();
    if (order.empty() || !top)
        return;
    auto it = std::find(order.begin(), order.end(), top->focus);
    int count = static_cast<int>(order.size());
    int index = it == order.end() ? (step > 0 ? 0 : count - 1)
                                  : ((static_cast<int>(it - order.begin()) + step) % count + count) % count;
    if (!top->focusCues) {
        top->focusCues = true;
        Repaint(top->focus);
    }
    if (WindowData* target = windows::Find(order[index]))
        SetFocus(*target);
}

std::vector<HWND> TabStops(const WindowData& dialog)
{
    std::vector<HWND> order;
    for (HWND child : dialog.children) {
        WindowData* c = windows::Find(child);
        if (c && CanFocus(*c) && c->AsButton()->tabStop)
            order.push_back(child);
    }
    return order;
}

// The controls that can take the focus in the focused control's group: a
// group starts at a control marked as its start and runs to the next one.
std::vector<HWND> FocusGroup(const WindowData& dialog)
{
    std::vector<std::vector<HWND>> groups(1);
    HWND focus = FocusOf(dialog);
    bool focusSeen = false;
    std::size_t focusGroup = 0;
    for (HWND child : dialog.children) {
        WindowData* c = windows::Find(child);
        if (!c)
            continue;
        if (c->group && !groups.back().empty())
            groups.emplace_back();
        if (CanFocus(*c))
            groups.back().push_back(child);
        if (child == focus) {
            focusSeen = true;
            focusGroup = groups.size() - 1;
        }
    }
    return focusSeen ? groups[focusGroup] : TabStops(dialog);
}

void PushIn(WindowData& control, ButtonState& button, bool in)
{
    button.keyPressed = in;
    button.pressed = in;
    painter::Invalidate(control, nullptr, false);
}

void ReleaseSpace(WindowData& dialog)
{
    WindowData* f = FocusedControl(dialog);
    ButtonState* button = f ? f->AsButton() : nullptr;
    if (!button || !button->keyPressed)
        return;
    PushIn(*f, *button, false);
    if (button->checkBox)
        button->check = button->check ? 0 : 1;
    Command(dialog, f->id, f->handle);
}

}

WindowData* FocusedControl(WindowData& dialog)
{
    WindowData* c = windows::Find(FocusOf(dialog));
    return c && c->parent == dialog.handle && CanFocus(*c) ? c : nullptr;
}

bool ShowsFocus(const WindowData& control)
{
    const WindowData* dialog = windows::Find(control.parent);
    const TopLevelState* top = dialog ? dialog->AsTopLevel() : nullptr;
    return top && top->focus == control.handle && top->focusCues;
}

void SetFocus(WindowData& control)
{
    WindowData* dialog = windows::Find(control.parent);
    TopLevelState* top = dialog ? dialog->AsTopLevel() : nullptr;
    if (!top || top->focus == control.handle)
        return;
    // A button pushed in by Space comes out without a click when the focus leaves it.
    if (WindowData* old = windows::Find(top->focus)) {
        if (ButtonState* button = old->AsButton(); button && button->keyPressed)
            PushIn(*old, *button, false);
        painter::Invalidate(*old, nullptr, false);
    }
    top->focus = control.handle;
    painter::Invalidate(control, nullptr, false);
}

void FocusFirstTabStop(WindowData& dialog)
{
    std::vector<HWND> order = TabStops(dialog);
    if (!order.empty())
        if (WindowData* first = windows::Find(order.front()))
            SetFocus(*first);
}

bool DialogKey(WindowData& dialog, unsigned message, unsigned key)
{
    if (message == WM_KEYUP) {
        if (key != VK_SPACE)
            return false;
        ReleaseSpace(dialog);
        return true;
    }
    if (message != WM_KEYDOWN)
        return false;
    switch (key) {
    case VK_TAB:
        Move(dialog, TabStops(dialog), GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        return true;
    case VK_LEFT:
    case VK_UP:
        Move(dialog, FocusGroup(dialog), -1);
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        Move(dialog, FocusGroup(dialog), 1);
        return true;
    case VK_SPACE:
        if (WindowData* f = FocusedControl(dialog))
            if (ButtonState* button = f->AsButton(); button && !button->keyPressed)
                PushIn(*f, *button, true);
        return true;
    case VK_RETURN:
        AcceptCommand(dialog);
        return true;
    case VK_ESCAPE:
        Command(dialog, IDCANCEL, 0);
        return true;
    default:
        return false;
    }
}

}
