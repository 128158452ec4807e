#include "platform/intl/CatalogueFiles.h"

#include "platform/AsciiCase.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace plat {

namespace {

// "UTF-8" -> "utf8", as gettext normalises a codeset.
std::string NormalCodeset(std::string_view codeset)
{
    std::string normal;
    bool digitsOnly = true;
    for (char c : codeset) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            normal += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            digitsOnly = digitsOnly && std::isdigit(static_cast<unsigned char>(c));
        }
    }
    return digitsOnly ? "iso" + normal : normal;
}

void AddVariants(std::vector<std::string>& names, std::string_view language)
{
    std::string_view modifier, codeset, territory;
    if (std::size_t at = language.find('@'); at != std::string_view::npos) {
        modifier = language.substr(at);
        language = language.substr(0, at);
    }
    if (std::size_t dot = language.find('.'); dot != std::string_view::npos) {
        codeset = language.substr(dot);
        language = language.substr(0, dot);
    }
    if (std::size_t bar = language.find('_'); bar != std::string_view::npos) {
        territory = language.substr(bar);
        language = language.substr(0, bar);
    }
    if (language.empty())
        return;
    std::vector<std::string> codesets { std::string(codeset) };
    if (!codeset.empty())
        codesets.push_back("." + NormalCodeset(codeset.substr(1)));
    codesets.emplace_back();
    for (std::string_view t : { territory, std::string_view() })
        for (const std::string& c : codesets)
            for (std::string_view m : { modifier, std::string_view() })
                names.push_back(std::string(language) + std::string(t) + c + std::string(m));
}

// The value of `name` in the alias file: lines of an alias and its value,
// compared without case, comments from '#'. Empty when not listed.
std::string AliasOf(const std::string& aliasFile, std::string_view name)
{
    std::ifstream in(aliasFile);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line.substr(0, line.find('#')));
        std::string alias, value;
        if (fields >> alias >> value && EqualsIgnoringAsciiCase(alias, name))
            return value;
    }
    return {};
}

}

bool IsPlainLocale(std::string_view localeName)
{
    return localeName == "C" || localeName == "POSIX" || localeName.starts_with("C.");
}

std::vector<std::string> CatalogueFiles(std::string_view domain, std::string_view localeName,
    std::string_view languageList, const std::string& aliasFile)
{
    std::vector<std::string> names;
    std::string_view list = languageList.empty() ? localeName : languageList;
    while (!list.empty()) {
        std::size_t colon = list.find(':');
        std::string_view language = list.substr(0, colon);
        AddVariants(names, language);
        if (!language.empty())
            AddVariants(names, AliasOf(aliasFile, language));
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    std::vector<std::string> files;
    for (const std::string& name : names) {
        std::string file = name + "/LC_MESSAGES/" + std::string(domain) + ".mo";
        bool seen = false;
        for (const std::string& f : files)
            seen = seen || f == file;
        if (!seen)
            files.push_back(file);
    }
    return files;
}

}
