#pragma once

// Texts a person sees are written in Chinese and are their own message ids:
// without a catalogue, and under the C locale, C.UTF-8 or a Chinese locale,
// Translate returns them unchanged. When the locale asks for another
// language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, read as gettext reads
// them) and a sound catalogue for it is installed, they come from there.
// Logs and data files never pass through here.

#include <string>
#include <string_view>

namespace plat {

// Marks a text stored in a table for the catalogue check; it is translated
// where it is shown.
constexpr std::string_view TranslateLater(std::string_view chinese)
{
    return chinese;
}

// Chooses the language from the environment and the catalogue folder beside
// the program: "locale" in the executable's folder (a build), else
// "../../share/locale" from it (an installation, the package). Call once
// before the first window. Returns true when texts will be translated.
bool StartTranslations();
// The same with the catalogues under `localeFolder`.
bool StartTranslations(const std::string& localeFolder);

std::string Translate(std::string_view chinese);
// For a text used as a printf format: the original unless the translation
// has the same conversions in the same order.
std::string TranslateFormat(std::string_view chinese);

}
