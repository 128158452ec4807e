#include "platform/ui/Button.h"

#include "platform/ui/Painter.h"
#include "platform/ui/WindowData.h"

namespace plat {

int Button::GetCheck() const
{
    WindowData* data = windows::Find(this);
    return data ? data->check : 0;
}

void Button::SetCheck(int check)
{
    WindowData* data = windows::Find(this);
    if (!data || data->check == check)
        return;
    data->check = check;
    painter::Invalidate(*data, nullptr, true);
}

bool Button::IsPushed() const
{
    WindowData* data = windows::Find(this);
    return data && data->pressed;
}

void Button::DrawItem(const DrawItemStruct&) { }

}
