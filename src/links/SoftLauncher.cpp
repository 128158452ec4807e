#include "links/SoftLauncher.h"

#include "links/InstallFolder.h"
#include "links/SiblingPrograms.h"
#include "localdata/TaggedFile.h"
#include "platform/intl/Translate.h"
#include "platform/sys/ShellOpen.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>

namespace {

// The executable must lie in the installation folder itself: the name may
// come from data\main.htm, which must not reach other programs through it.
bool IsPlainFileName(std::string_view name)
{
    return !name.empty() && name.find_first_of("\\/:") == std::string_view::npos && name != "." && name != "..";
}

}

int CSoftLauncher::Launch(std::string_view caption, std::string_view key, std::string_view executable)
{
    if (RunInstalled(key, executable) == 0)
        return 0;
    std::string homepage = GetHomepage(key);
    std::string text = plat::Translate("本机还未安装本软件\r\n请去官网下载本软件《");
    text += caption;
    text += plat::Translate("》\r\n");
    text += homepage;
    plat::MessageBox(text, plat::MB_OK);
    OpenWebAddress(homepage);
    return 1;
}

int CSoftLauncher::RunInstalled(std::string_view key, std::string_view executable)
{
    std::string folder = InstalledFolder(key);
    if (folder.empty() || !IsPlainFileName(executable))
        return 1;
    std::string candidate = folder + std::string(executable);
    if (!IsExistingFile(candidate))
        return 1;
    plat::ShellOpen(candidate);
    return 0;
}

std::string CSoftLauncher::GetHomepage(std::string_view key)
{
    CTaggedFile file;
    file.Load("data\\main.htm");
    std::string address = file.GetValue("[SOFT_HOMEPAGE_" + std::string(key) + "]");
    if (!address.empty())
        return address;
    auto row = std::find_if(std::begin(kHomepages), std::end(kHomepages),
        [&](const HomepageRow& r) { return r.key == key; });
    if (row != std::end(kHomepages))
        return std::string(kMakerSite) + "/" + std::string(row->segment) + "/?tamrel";
    return std::string(kMakerSite) + std::string(kSoftListPath);
}
