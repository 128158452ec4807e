#pragma once

// Which catalogue files gettext may open for a locale, so that each can be
// checked before gettext trusts it.

#include <string>
#include <string_view>
#include <vector>

namespace plat {

// The domain's catalogue names under `localeFolder` for the languages
// gettext reads: LANGUAGE's list when it is set, else the locale's name.
// Each language is tried as gettext tries it, from the full name
// (language_TERRITORY.codeset@modifier) down to the language alone.
std::vector<std::string> CatalogueFiles(const std::string& localeFolder, std::string_view domain,
    std::string_view localeName, std::string_view languageList);

// True for the locales whose texts are the message ids: C, POSIX and C.*.
bool IsPlainLocale(std::string_view localeName);

}
