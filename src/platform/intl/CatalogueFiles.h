#pragma once

// Which catalogue files gettext may open for a locale, so that each can be
// checked before gettext trusts it.

#include <string>
#include <string_view>
#include <vector>

namespace plat {

// The C library's list of locale aliases ("german" -> "de_DE.ISO-8859-1").
constexpr const char* kLocaleAliasFile = "/usr/share/locale/locale.alias";

// The domain's catalogue files, relative to a locale folder
// ("en/LC_MESSAGES/lumivex.mo"), for the languages gettext reads: LANGUAGE's
// list when it is set, else the locale's name. Each language is tried as
// gettext tries it, from the full name (language_TERRITORY.codeset@modifier)
// down to the language alone, then the same for its alias in `aliasFile`.
std::vector<std::string> CatalogueFiles(std::string_view domain, std::string_view localeName,
    std::string_view languageList, const std::string& aliasFile = kLocaleAliasFile);

// True for the locales whose texts are the message ids: C, POSIX and C.*.
bool IsPlainLocale(std::string_view localeName);

}
