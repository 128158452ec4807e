#include "localdata/Paths.h"

#include "platform/fs/CurrentDirectory.h"
#include "platform/fs/FileFind.h"
#include "platform/fs/FileOps.h"
#include "platform/fs/Process.h"

std::string GetExeFolder()
{
    if (!plat::ModuleFileNameRoundTrips())
        return {};
    std::string path = plat::GetModuleFileName();
    std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos)
        return {};
    path.resize(slash + 1);
    return path;
}

std::string EnterExeFolder()
{
    std::string folder = GetExeFolder();
    plat::SetCurrentDirectory(folder);
    return folder;
}

int CreateFolderPath(std::string path)
{
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    // One left-to-right pass over non-overlapping pairs: three backslashes
    // become two, four become two.
    std::string collapsed;
    collapsed.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        collapsed += path[i];
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\')
            ++i;
    }
    std::size_t colon = collapsed.find(':');
    if (colon == std::string::npos || colon == 0)
        return 1;
    for (std::size_t slash = collapsed.find('\\', colon + 1); slash != std::string::npos;
         slash = collapsed.find('\\', slash + 1))
        plat::CreateDirectory(std::string_view(collapsed).substr(0, slash + 1));
    return 0;
}

std::string GetProgramFilesDir()
{
    std::string folder = plat::GetEnvironmentVariable("ProgramFiles").value_or("C:");
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

int DeleteTestZips()
{
    plat::FileFind finder;
    bool more = finder.FindFile(GetExeFolder() + "data\\test_*.zip");
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDirectory() && !finder.IsDots())
            plat::DeleteFile(finder.GetFilePath());
    }
    return 0;
}
