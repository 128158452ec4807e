#include "platform/gfx/FontMatchCache.h"

#include "platform/fs/StagedFile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plat {

namespace {

constexpr std::string_view kHeader = "lumivex font-match 1\n";
constexpr std::string_view kEnd = "end\n";
constexpr std::string_view kNoFile = "-";
// Far more than the program's few faces and sizes ever need.
constexpr std::size_t kMaxFileBytes = 64 * 1024;
// Font folders nest a few levels (fonts/truetype/arphic); a loop of links stops here.
constexpr int kMaxFolderDepth = 6;
// Far more entries than a system's font and configuration folders hold (a
// desktop with many font packages has a few thousand); past it the
// fingerprint covers only what was read.
constexpr std::size_t kMaxFolderEntries = 50'000;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// $variable when it is set, else HOME's `underHome`: as the fingerprint
// sees fontconfig's folders, with no check of either value.
std::string HomeFolder(const char* variable, const char* underHome)
{
    std::string value = Environment(variable);
    return value.empty() ? Environment("HOME") + underHome : value;
}

// Size and modification time in nanoseconds, "-" when the path is missing.
std::string Stamp(const std::string& path)
{
    struct stat st { };
    if (stat(path.c_str(), &st) != 0)
        return "-";
    return std::to_string(st.st_size) + ":" + std::to_string(st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec);
}

// The path with every link resolved; empty when it does not exist.
std::string RealPath(const std::string& path)
{
    char* real = realpath(path.c_str(), nullptr);
    std::string resolved = real ? real : "";
    std::free(real);
    return resolved;
}

// A font file's stamp; anything but a regular file is no font (a FIFO would
// block the look-up that opens it).
std::string FontStamp(const std::string& path)
{
    struct stat st { };
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? Stamp(path) : "-";
}

class Fingerprint {
public:
    // Folders reached through links are walked only when they lie inside
    // one of `roots` (the font folders, links resolved).
    explicit Fingerprint(std::vector<std::string> roots = {})
        : m_roots(std::move(roots))
    {
    }
    void Add(std::string_view bytes)
    {
        for (char c : bytes)
            m_hash = (m_hash ^ static_cast<std::uint8_t>(c)) * 0x100000001b3ULL;
        m_hash = (m_hash ^ 0xff) * 0x100000001b3ULL; // separator
    }
    void AddPath(const std::string& path)
    {
        Add(path);
        Add(Stamp(path));
    }
    // The folder and everything in it, sorted; when `recurse`, the folders
    // within it instead, each (device and inode) once, to a bounded depth
    // and number of entries: links among the font folders (a link to "."
    // or to "/") would otherwise multiply the walk without end.
    void AddFolder(const std::string& folder, bool recurse, int depth = 0)
    {
        AddPath(folder);
        if (recurse && !FirstVisit(folder))
            return;
        DIR* dir = opendir(folder.c_str());
        if (!dir)
            return;
        std::vector<std::pair<std::string, bool>> entries;
        while (m_entriesLeft > 0) {
            dirent* e = readdir(dir);
            if (!e)
                break;
            std::string name = e->d_name;
            if (name == "." || name == "..")
                continue;
            --m_entriesLeft;
            std::string path = folder + "/" + name;
            // The entry's type from the folder itself: font folders hold
            // thousands of files, and a stat of each costs milliseconds.
            bool isFolder = e->d_type == DT_DIR;
            if (recurse && (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK))
                isFolder = FolderToWalk(path);
            entries.emplace_back(path, isFolder);
        }
        closedir(dir);
        std::sort(entries.begin(), entries.end());
        for (const auto& [path, isFolder] : entries) {
            if (!recurse)
                AddPath(path);
            else if (isFolder && depth < kMaxFolderDepth)
                AddFolder(path, true, depth + 1);
        }
    }
    std::string Hex() const
    {
        char text[17] = {};
        std::to_chars(text, text + 16, m_hash, 16);
        return text;
    }

private:
    bool FirstVisit(const std::string& folder)
    {
        struct stat st { };
        return stat(folder.c_str(), &st) == 0 && m_visited.emplace(st.st_dev, st.st_ino).second;
    }
    // A folder, or a link to a folder inside the font folders.
    bool FolderToWalk(const std::string& path) const
    {
        struct stat st { };
        if (lstat(path.c_str(), &st) != 0)
            return false;
        if (!S_ISLNK(st.st_mode))
            return S_ISDIR(st.st_mode);
        return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && InsideRoots(path);
    }
    bool InsideRoots(const std::string& path) const
    {
        std::string real = RealPath(path);
        return std::any_of(m_roots.begin(), m_roots.end(), [&real](const std::string& root) {
            return !real.empty() && (real == root || real.starts_with(root == "/" ? root : root + "/"));
        });
    }

    std::uint64_t m_hash = 0xcbf29ce484222325ULL;
    std::vector<std::string> m_roots;
    std::set<std::pair<dev_t, ino_t>> m_visited;
    std::size_t m_entriesLeft = kMaxFolderEntries;
};

std::vector<std::string_view> Split(std::string_view line, char separator)
{
    std::vector<std::string_view> fields;
    for (;;) {
        std::size_t at = line.find(separator);
        fields.push_back(line.substr(0, at));
        if (at == std::string_view::npos)
            return fields;
        line.remove_prefix(at + 1);
    }
}

bool ToInt(std::string_view text, int& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::string Key(std::string_view family, int pixelSize)
{
    return std::string(family) + "\t" + std::to_string(pixelSize) + "\t";
}

// family, size, then "-" or file, index, matched family, stamp.
bool WellFormed(std::string_view line)
{
    std::vector<std::string_view> f = Split(line, '\t');
    int number = 0;
    if (f.size() == 3)
        return ToInt(f[1], number) && f[2] == kNoFile;
    return f.size() == 6 && ToInt(f[1], number) && ToInt(f[3], number) && f[2].starts_with('/');
}

bool Storable(std::string_view text)
{
    return text.find_first_of("\t\n") == std::string_view::npos;
}

// The file's bytes if it is a regular file of this user, no link, and small.
std::optional<std::string> ReadOwnFile(const std::string& path)
{
    // O_NONBLOCK: a FIFO in the file's place must not block the open.
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st { };
    std::string bytes;
    bool usable = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == getuid()
        && static_cast<std::size_t>(st.st_size) <= kMaxFileBytes;
    if (usable) {
        bytes.resize(static_cast<std::size_t>(st.st_size));
        usable = read(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    close(fd);
    return usable ? std::optional(bytes) : std::nullopt;
}

}

std::string FontSetupFingerprint()
{
    std::string home = Environment("HOME");
    std::string data = HomeFolder("XDG_DATA_HOME", "/.local/share");
    const std::vector<std::string> fontFolders { "/usr/share/fonts", "/usr/local/share/fonts", data + "/fonts",
        home + "/.fonts" };
    std::vector<std::string> roots;
    for (const std::string& folder : fontFolders)
        if (std::string real = RealPath(folder); !real.empty())
            roots.push_back(real);
    Fingerprint print(roots);
    for (const char* name : { "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME", "XDG_CONFIG_HOME",
             "XDG_DATA_HOME", "XDG_CACHE_HOME" })
        print.Add(std::string(name) + "=" + Environment(name));
    std::string config = HomeFolder("XDG_CONFIG_HOME", "/.config");
    std::string cache = HomeFolder("XDG_CACHE_HOME", "/.cache");
    std::string mainFile = Environment("FONTCONFIG_FILE");
    print.AddPath(mainFile.empty() ? "/etc/fonts/fonts.conf" : mainFile);
    for (const std::string& folder : { std::string("/etc/fonts/conf.d"), Environment("FONTCONFIG_PATH"),
             config + "/fontconfig/conf.d", home + "/.fonts.conf.d" })
        print.AddFolder(folder, false);
    print.AddPath(config + "/fontconfig/fonts.conf");
    print.AddPath(home + "/.fonts.conf");
    for (const std::string& folder : fontFolders)
        print.AddFolder(folder, true);
    // fontconfig rewrites its caches when fonts come or go.
    print.AddPath("/var/cache/fontconfig");
    print.AddPath(cache + "/fontconfig");
    return print.Hex();
}

FontMatchCache::FontMatchCache(std::string path)
    : m_path(std::move(path))
{
}

std::string FontMatchCache::DefaultPath()
{
    // A relative or missing value names no folder of this user's: no cache
    // rather than one at the root of the file system or the working folder.
    std::string cache = Environment("XDG_CACHE_HOME");
    std::string home = Environment("HOME");
    if (cache.starts_with('/'))
        return cache + "/lumivex/font-match";
    return home.starts_with('/') ? home + "/.cache/lumivex/font-match" : "";
}

void FontMatchCache::Load()
{
    m_loaded = true;
    m_fingerprint = FontSetupFingerprint();
    if (m_path.empty())
        return;
    std::optional<std::string> bytes = ReadOwnFile(m_path);
    std::string expected = std::string(kHeader) + "fingerprint " + m_fingerprint + "\n";
    if (!bytes || !bytes->starts_with(expected) || !bytes->ends_with(kEnd))
        return;
    std::string_view body(*bytes);
    body = body.substr(expected.size(), body.size() - expected.size() - kEnd.size());
    for (std::string_view line : Split(body, '\n')) {
        if (line.empty())
            continue;
        if (!WellFormed(line))
            return; // a damaged file: none of it is trusted
    }
    m_text = body;
}

std::optional<std::optional<FaceFile>> FontMatchCache::Find(std::string_view family, int pixelSize)
{
    if (!m_loaded)
        Load();
    std::string key = Key(family, pixelSize);
    for (std::string_view line : Split(m_text, '\n')) {
        if (!line.starts_with(key))
            continue;
        std::vector<std::string_view> f = Split(line, '\t');
        if (f.size() == 3)
            return std::optional<FaceFile>();
        FaceFile file { std::string(f[2]), 0, std::string(f[4]) };
        ToInt(f[3], file.index);
        // A font file replaced since: ask fontconfig again.
        if (FontStamp(file.path) != f[5] || f[5] == "-")
            return std::nullopt;
        return std::optional<FaceFile>(file);
    }
    return std::nullopt;
}

void FontMatchCache::Remember(std::string_view family, int pixelSize, const std::optional<FaceFile>& answer)
{
    if (!m_loaded)
        Load();
    if (!Storable(family) || (answer && (!Storable(answer->path) || !Storable(answer->family))))
        return;
    std::string key = Key(family, pixelSize);
    std::string text;
    for (std::string_view line : Split(m_text, '\n'))
        if (!line.empty() && !line.starts_with(key))
            text.append(line).append("\n");
    text += key;
    if (answer)
        text += answer->path + "\t" + std::to_string(answer->index) + "\t" + answer->family + "\t" + FontStamp(answer->path);
    else
        text += kNoFile;
    text += "\n";
    m_text = text;
    Save();
}

void FontMatchCache::Save() const
{
    if (m_path.empty())
        return;
    std::string folder = m_path.substr(0, m_path.rfind('/'));
    std::string parent = folder.substr(0, folder.rfind('/'));
    mkdir(parent.c_str(), 0700);
    mkdir(folder.c_str(), 0700);
    std::string bytes = std::string(kHeader) + "fingerprint " + m_fingerprint + "\n" + m_text + std::string(kEnd);
    // Written whole under a fresh name (created, never opened if it
    // exists) and renamed over the file, or over a link in its place. A
    // cache that cannot be written only costs the next start its time.
    StagedFile staged(m_path, 0600);
    if (staged.Write(bytes))
        staged.Commit(IfTargetExists::Replace);
}

}
