#pragma once

// The rectangle that hosts the web panel. Navigate records the address and
// repaints; what is drawn there comes from the renderer installed with
// SetWebHostRenderer (a white area until one is).

#include "platform/ui/Wnd.h"

#include <functional>
#include <string>
#include <string_view>

namespace plat {

class WebHost : public Wnd {
public:
    bool Navigate(std::string_view address);
    std::string LocationURL() const;
};

// Navigate on any window: true for a web host, whose address it records.
bool NavigateHost(Wnd& host, std::string_view address);
std::string HostAddress(const Wnd& host);

// Draws a web host's client area; called from its paint with the host, a
// context on its client area and its client rectangle.
using WebHostRenderer = std::function<void(Wnd& host, DeviceContext& dc, const Rect& client)>;
void SetWebHostRenderer(WebHostRenderer renderer);
const WebHostRenderer& GetWebHostRenderer();

}
