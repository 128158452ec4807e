#pragma once

// The main window's web panel: the template's web host control, driven by
// address. Navigate shows the page there (loaded in the background; a
// white panel until it arrives, or for "about:blank" and pages that cannot
// be loaded). A click on a link opens its address with OpenWebAddress.

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
