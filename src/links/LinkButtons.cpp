#include "links/LinkButtons.h"

#include "links/SoftLauncher.h"
#include "localdata/TaggedFile.h"
#include "platform/intl/Translate.h"
#include "resource.h"

#include <algorithm>

namespace {

struct LinkButton {
    int id;
    std::string_view tag;
    std::string_view host; // empty: the maker's site
    std::string_view path;
};

// "?lv" tells each site the visitor came from this program.
constexpr LinkButton kLinkButtons[] = {
    { IDC_README, "[BUTTON_README_URL_V2]", {}, "/lv/readme.asp?lv" },
    { IDC_HOMEPAGE, "[BUTTON_HOMEPAGE_URL_V2]", {}, "/?lv" },
    { IDC_SHOPPING, "[BUTTON_BUY_URL_V2]", "http://shop.brindle.example", "/?lv" },
    { IDC_NOVELS, "[BUTTON_FOLIO_URL_V2]", "http://novel.brindle.example", "/?lv" },
    { IDC_GAMES, "[BUTTON_GAME_URL_V2]", "http://games.brindle.example", "/?lv" },
};

}

std::string LinkButtonAddress(int controlId)
{
    auto button = std::find_if(std::begin(kLinkButtons), std::end(kLinkButtons),
        [&](const LinkButton& b) { return b.id == controlId; });
    if (button == std::end(kLinkButtons))
        return {};
    CTaggedFile file;
    file.Load("data\\main.htm");
    std::string address = file.GetValue(button->tag);
    if (address.empty())
        address = std::string(button->host.empty() ? kMakerSite : button->host) + std::string(button->path);
    return address;
}

int OpenLinkButton(int controlId)
{
    std::string address = LinkButtonAddress(controlId);
    if (address.empty())
        return 1;
    OpenWebAddress(address);
    return 0;
}

int LaunchSibling(const SiblingProgram& program)
{
    CSoftLauncher launcher;
    return launcher.Launch(plat::Translate(program.title), program.key, program.exe);
}
