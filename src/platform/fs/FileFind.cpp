#include "platform/fs/FileFind.h"

#include "platform/fs/CurrentDirectory.h"
#include "platform/fs/PathMap.h"
#include "platform/fs/Wildcard.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace plat {

namespace {

bool IsAbsoluteWindowsPath(std::string_view path)
{
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

std::vector<std::string> NamesIn(const std::string& nativeFolder)
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(nativeFolder.c_str()), ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get()))
        names.emplace_back(entry->d_name);
    return names;
}

}

bool FileFind::FindFile(std::string_view pattern)
{
    Close();
    size_t split = pattern.find_last_of("\\/");
    std::string_view folder = split == std::string_view::npos ? std::string_view() : pattern.substr(0, split + 1);
    std::string_view last = split == std::string_view::npos ? pattern : pattern.substr(split + 1);
    if (split == std::string_view::npos && pattern.size() >= 2 && pattern[1] == ':') {
        folder = pattern.substr(0, 2);
        last = pattern.substr(2);
    }
    if (last.empty() || last.find('\0') != std::string_view::npos)
        return false;
    auto nativeFolder = NativePath(folder.empty() ? std::string_view(".") : folder);
    if (!nativeFolder)
        return false;
    if (nativeFolder->back() != '/')
        *nativeFolder += '/';

    std::vector<std::string> names;
    struct stat info { };
    if (!HasWildcard(last) && ::lstat((*nativeFolder + std::string(last)).c_str(), &info) == 0) {
        names.emplace_back(last);
    } else {
        for (std::string& name : NamesIn(*nativeFolder)) {
            if (MatchWildcard(last, name))
                names.push_back(std::move(name));
        }
        std::sort(names.begin(), names.end());
        if (!HasWildcard(last) && names.size() > 1)
            names.resize(1);
    }
    for (const std::string& name : names) {
        std::string native = *nativeFolder + name;
        if (::stat(native.c_str(), &info) != 0 && ::lstat(native.c_str(), &info) != 0)
            continue;
        m_matches.push_back({ name, S_ISDIR(info.st_mode), static_cast<std::uint64_t>(info.st_size) });
    }
    if (m_matches.empty())
        return false;

    m_root.assign(folder);
    std::replace(m_root.begin(), m_root.end(), '/', '\\');
    if (!IsAbsoluteWindowsPath(m_root)) {
        std::string current = GetCurrentDirectory();
        if (!current.empty() && current.back() != '\\')
            current += '\\';
        m_root = current + m_root;
    }
    if (!m_root.empty() && m_root.back() != '\\')
        m_root += '\\';
    return true;
}

bool FileFind::FindNextFile()
{
    if (m_next < m_matches.size())
        ++m_next;
    else
        m_next = m_matches.size() + 1;
    return m_next < m_matches.size();
}

void FileFind::Close()
{
    m_root.clear();
    m_matches.clear();
    m_next = 0;
}

const FileFind::Match* FileFind::Current() const
{
    if (m_next == 0 || m_next > m_matches.size())
        return nullptr;
    return &m_matches[m_next - 1];
}

std::string FileFind::GetFilePath() const
{
    const Match* match = Current();
    return match ? m_root + match->name : std::string();
}

std::string FileFind::GetFileName() const
{
    const Match* match = Current();
    return match ? match->name : std::string();
}

std::uint64_t FileFind::GetLength() const
{
    const Match* match = Current();
    return match ? match->length : 0;
}

bool FileFind::IsDirectory() const
{
    const Match* match = Current();
    return match && match->directory;
}

bool FileFind::IsDots() const
{
    const Match* match = Current();
    return match && match->directory && (match->name == "." || match->name == "..");
}

}
