#include "platform/intl/Translate.h"

#include "platform/intl/CatalogueFiles.h"
#include "platform/intl/FormatDirectives.h"
#include "platform/intl/MoCatalogue.h"

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <libintl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plat {

namespace {

constexpr const char* kDomain = "lumivex";
// Catalogues larger than this are not ours.
constexpr std::streamoff kMaxCatalogueBytes = 4 << 20;

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

// Absent files pass: gettext skips them. A file present but unreadable,
// oversized or unsound fails.
bool AbsentOrSound(const std::string& file)
{
    struct stat st { };
    if (stat(file.c_str(), &st) != 0)
        return true;
    if (!S_ISREG(st.st_mode) || st.st_size > kMaxCatalogueBytes)
        return false;
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return IsSoundCatalogue(bytes);
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
    for (const std::string& file : CatalogueFiles(localeFolder, kDomain, locale, Environment("LANGUAGE")))
        if (!AbsentOrSound(file))
            return false;
    if (!bindtextdomain(kDomain, localeFolder.c_str()) || !bind_textdomain_codeset(kDomain, "UTF-8"))
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
