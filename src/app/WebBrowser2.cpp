#include "app/WebBrowser2.h"

#include "platform/ui/WebHost.h"

bool CWebBrowser2::Navigate(std::string_view address)
{
    return plat::NavigateHost(*this, address);
}

std::string CWebBrowser2::GetLocationURL() const
{
    return plat::HostAddress(*this);
}
