#include "platform/ui/Dispatch.h"

#include "platform/ui/WindowData.h"

#include <vector>

namespace plat::windows {

namespace {

struct Current {
    const Wnd* wnd;
    Message message;
};

std::vector<Current>& CurrentStack()
{
    static std::vector<Current> stack;
    return stack;
}

}

LRESULT Send(HWND hwnd, unsigned message, WPARAM wParam, LPARAM lParam)
{
    WindowData* data = Find(hwnd);
    if (!data || !data->object)
        return 0;
    Wnd& wnd = *data->object;
    CurrentStack().push_back({ &wnd, { message, wParam, lParam } });
    LRESULT result = wnd.WindowProc(message, wParam, lParam);
    CurrentStack().pop_back();
    return result;
}

const Message* CurrentMessage(const Wnd& wnd)
{
    auto& stack = CurrentStack();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        if (it->wnd == &wnd)
            return &it->message;
    return nullptr;
}

}
