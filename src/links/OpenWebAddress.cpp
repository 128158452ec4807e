#include "links/SoftLauncher.h"

#include "links/InstallFolder.h"
#include "links/SiblingPrograms.h"
#include "localdata/Paths.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/ShellOpen.h"

#include <cctype>
#include <string>

namespace {

// How the page was opened, for the receiving site.
constexpr std::string_view kFlagRegistryBrowser = "fr=n&fg=ffFLAG_SKIFF_DIRECT";
constexpr std::string_view kFlagDefaultFolderBrowser = "fr=gn&fg=ffFLAG_SKIFF_DIRECT";
constexpr std::string_view kFlagNoBrowser = "fr=i&fg=ffFLAG_SKIFF_DIRECT";

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    }
    return true;
}

// Addresses come from data\main.htm and from the panel's page, both sent
// over plain HTTP: only web pages are handed on, to the browser or the
// desktop's handler, never a local file, a script address or a program.
bool IsWebAddress(std::string_view address)
{
    return StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://");
}

}

int OpenWebAddress(std::string_view address)
{
    std::string browser = InstalledFolder(kBrowser.key) + std::string(kBrowser.exe);
    std::string_view flag = kFlagRegistryBrowser;
    if (!IsExistingFile(browser)) {
        browser = GetProgramFilesDir() + "tamrel\\skiff\\" + std::string(kBrowser.exe);
        flag = kFlagDefaultFolderBrowser;
        if (!IsExistingFile(browser)) {
            browser.clear();
            flag = kFlagNoBrowser;
        }
    }
    std::string full(address);
    full += full.find('?') == std::string::npos ? '?' : '&';
    full += flag;
    if (!IsWebAddress(full))
        return 0;
    // One argument, so that no part of the address reads as an option.
    if (!browser.empty())
        plat::ShellOpen(browser, plat::QuoteArgument(full));
    else
        plat::ShellOpen(full);
    return 0;
}
