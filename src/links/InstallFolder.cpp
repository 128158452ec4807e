#include "links/InstallFolder.h"

#include "localdata/RegistryKey.h"
#include "platform/fs/FileStatus.h"

std::string InstalledFolder(std::string_view key)
{
    CRegistryKey reg;
    reg.SetRoot(plat::HKEY_LOCAL_MACHINE);
    if (!reg.Open("software\\brindle\\" + std::string(key), true))
        return {};
    return reg.GetString("path", "");
}

bool IsExistingFile(std::string_view path)
{
    plat::FileStatus status;
    return plat::GetFileStatus(path, status) && (status.attributes & plat::kFileAttributeDirectory) == 0;
}
