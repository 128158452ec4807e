#include "platform/intl/Translate.h"

#include "platform/intl/CatalogueFiles.h"
#include "platform/intl/CheckedCatalogues.h"
#include "platform/intl/FormatDirectives.h"
#include "platform/intl/MoCatalogue.h"

#include <atomic>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <fcntl.h>
#include <libintl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace plat {

namespace {

constexpr const char* kDomain = "lumivex";
// Catalogues larger than this are not ours.
constexpr off_t kMaxCatalogueBytes = 4 << 20;

std::atomic<bool> g_translating { false };

bool IsFolder(const std::string& path)
{
    struct stat st { };
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ExecutableFolder()
{
    std::vector<char> buffer(4096);
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size())
        return {};
    std::string path(buffer.data(), static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/'));
}

// Absent files pass (gettext skips them) and add nothing to `copies`; a
// sound catalogue adds its bytes. A file present but not a regular file
// (opened without blocking, so a FIFO cannot stall the start), unreadable,
// oversized or unsound fails.
bool AbsentOrSound(const std::string& folder, const std::string& relative, CatalogueCopies& copies)
{
    std::string file = folder + "/" + relative;
    int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR;
    struct stat st { };
    bool usable = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxCatalogueBytes;
    std::vector<std::uint8_t> bytes(usable ? static_cast<std::size_t>(st.st_size) : 0);
    usable = usable && read(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(fd);
    if (!usable || !IsSoundCatalogue(bytes))
        return false;
    copies.emplace_back(relative, std::move(bytes));
    return true;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

}

bool StartTranslations()
{
    std::string folder = ExecutableFolder();
    if (folder.empty())
        return false;
    std::string built = folder + "/locale";
    return StartTranslations(IsFolder(built) ? built : folder + "/../../share/locale");
}

bool StartTranslations(const std::string& localeFolder)
{
    g_translating = false;
    // Only the message category: numbers, character classes and sorting
    // stay those of the C locale that the program's formats are written for.
    const char* locale = std::setlocale(LC_MESSAGES, "");
    if (!locale || IsPlainLocale(locale))
        return false;
    CatalogueCopies copies;
    for (const std::string& file : CatalogueFiles(kDomain, locale, Environment("LANGUAGE"))) {
        // A language naming a path would lead gettext out of the folder.
        if (file.find('/') != file.find("/LC_MESSAGES/") || !AbsentOrSound(localeFolder, file, copies))
            return false;
    }
    if (copies.empty() || !BindCheckedCatalogues(kDomain, copies))
        return false;
    g_translating = true;
    return true;
}

std::string Translate(std::string_view chinese)
{
    if (!g_translating || chinese.empty())
        return std::string(chinese);
    std::string id(chinese);
    return dgettext(kDomain, id.c_str());
}

std::string TranslateFormat(std::string_view chinese)
{
    std::string translated = Translate(chinese);
    if (FormatDirectives(translated) != FormatDirectives(chinese))
        return std::string(chinese);
    return translated;
}

}
