#pragma once

// The rectangle that hosts the web panel. Navigate records the address and
// repaints; what is drawn there, and what the mouse does there, is the
// content given with SetWebHostContent (a white area until there is one).

#include "platform/ui/Wnd.h"

#include <memory>
#include <string>
#include <string_view>

namespace plat {

// What a web host shows. Called on the user-interface thread with points in
// the host's client coordinates; destroyed with the host's window.
class WebHostContent {
public:
    virtual ~WebHostContent() = default;
    // `dc` covers the client area, already white.
    virtual void Paint(DeviceContext& dc, const Rect& client) = 0;
    virtual void MouseMove(Point point) = 0;
    virtual void MouseDown(Point point) = 0;
    virtual void MouseUp(Point point) = 0;
    // `delta`: 120 per notch, positive when the wheel turns away from the user.
    virtual void MouseWheel(Point point, int delta) = 0;
};

class WebHost : public Wnd {
public:
    bool Navigate(std::string_view address);
    std::string LocationURL() const;
};

// Navigate on any window: true for a web host, whose address it records.
bool NavigateHost(Wnd& host, std::string_view address);
std::string HostAddress(const Wnd& host);

// Gives a web host its content, ending (destroying) the one it had; null
// leaves it white. False, and `content` dropped, when `host` is not a web host.
bool SetWebHostContent(Wnd& host, std::unique_ptr<WebHostContent> content);
WebHostContent* GetWebHostContent(const Wnd& host);

}
