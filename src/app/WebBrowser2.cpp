#include "app/WebBrowser2.h"

#include "links/SoftLauncher.h"
#include "platform/ui/WebHost.h"
#include "platform/web/WebView.h"

bool CWebBrowser2::Navigate(std::string_view address)
{
    return plat::web::Navigate(*this, address, [](const std::string& link) { OpenWebAddress(link); });
}

std::string CWebBrowser2::GetLocationURL() const
{
    return plat::HostAddress(*this);
}
