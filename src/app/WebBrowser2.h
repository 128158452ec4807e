#pragma once

// The main window's web panel: the template's web host control, driven by
// address. Navigate records the address and repaints the panel; what the
// panel shows for it is the web host's business.

#include "platform/ui/Wnd.h"

#include <string>
#include <string_view>

class CWebBrowser2 : public plat::Wnd {
public:
    // False when this object is not attached to a web host.
    bool Navigate(std::string_view address);
    // The address last navigated to; empty before the first Navigate.
    std::string GetLocationURL() const;
};
