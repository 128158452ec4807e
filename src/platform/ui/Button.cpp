#include "platform/ui/Button.h"

#include "platform/ui/Painter.h"
#include "platform/ui/WindowData.h"

namespace plat {

int Button::GetCheck() const
{
    WindowData* data = windows::Find(this);
    const ButtonState* button = data ? data->AsButton() : nullptr;
    return button ? button->check : 0;
}

void Button::SetCheck(int check)
{
    WindowData* data = windows::Find(this);
    ButtonState* button = data ? data->AsButton() : nullptr;
    if (!button || button->check == check)
        return;
    button->check = check;
    painter::Invalidate(*data, nullptr, true);
}

bool Button::IsPushed() const
{
    WindowData* data = windows::Find(this);
    const ButtonState* button = data ? data->AsButton() : nullptr;
    return button && button->pressed;
}

void Button::DrawItem(const DrawItemStruct&) { }

}
