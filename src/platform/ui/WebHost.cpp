#include "platform/ui/WebHost.h"

#include "platform/ui/Painter.h"
#include "platform/ui/WindowData.h"

namespace plat {

bool NavigateHost(Wnd& host, std::string_view address)
{
    WindowData* data = windows::Find(&host);
    WebHostState* state = data ? data->AsWebHost() : nullptr;
    if (!state)
        return false;
    state->address = std::string(address);
    painter::Invalidate(*data, nullptr, true);
    return true;
}

std::string HostAddress(const Wnd& host)
{
    WindowData* data = windows::Find(&host);
    const WebHostState* state = data ? data->AsWebHost() : nullptr;
    return state ? state->address : std::string();
}

bool WebHost::Navigate(std::string_view address)
{
    return NavigateHost(*this, address);
}

std::string WebHost::LocationURL() const
{
    return HostAddress(*this);
}

bool SetWebHostContent(Wnd& host, std::unique_ptr<WebHostContent> content)
{
    WindowData* data = windows::Find(&host);
    WebHostState* state = data ? data->AsWebHost() : nullptr;
    if (!state)
        return false;
    // The old content goes before the new one starts.
    state->content.reset();
    state->content = std::move(content);
    painter::Invalidate(*data, nullptr, true);
    return true;
}

WebHostContent* GetWebHostContent(const Wnd& host)
{
    WindowData* data = windows::Find(&host);
    const WebHostState* state = data ? data->AsWebHost() : nullptr;
    return state ? state->content.get() : nullptr;
}

}
