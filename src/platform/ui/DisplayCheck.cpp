#include "platform/ui/DisplayCheck.h"

#include "platform/AsciiCase.h"
#include "platform/intl/Translate.h"

#include <SDL.h>

#include <cstdlib>
#include <string_view>
#include <vector>

namespace plat {

namespace {

// SDL's drivers that show nothing to anyone. SDL matches names in any case.
bool ShowsNothing(std::string_view driver)
{
    return EqualsIgnoringAsciiCase(driver, "offscreen") || EqualsIgnoringAsciiCase(driver, "dummy")
        || EqualsIgnoringAsciiCase(driver, "evdev");
}

// The names in SDL_VIDEODRIVER (comma-separated, as SDL reads it); empty
// when it is unset or empty.
std::vector<std::string> AskedFor()
{
    std::vector<std::string> names;
    const char* value = std::getenv("SDL_VIDEODRIVER");
    std::string_view rest = value ? value : "";
    while (!rest.empty()) {
        std::size_t comma = rest.find(',');
        if (std::string_view name = rest.substr(0, comma); !name.empty())
            names.emplace_back(name);
        rest = comma == std::string_view::npos ? std::string_view {} : rest.substr(comma + 1);
    }
    return names;
}

// A variable's value for the line: control characters as '?', long ones cut.
std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::string(name) + " " + Translate("未设置");
    std::string text = std::string(name) + "=";
    for (std::string_view v = value; !v.empty() && text.size() < 80; v.remove_prefix(1))
        text += static_cast<unsigned char>(v.front()) < 0x20 || v.front() == 0x7f ? '?' : v.front();
    return text;
}

std::string Attempt(std::string_view driver)
{
    std::string text(driver);
    if (EqualsIgnoringAsciiCase(driver, "x11"))
        text += " (" + Variable("DISPLAY") + ")";
    else if (EqualsIgnoringAsciiCase(driver, "wayland"))
        text += " (" + Variable("WAYLAND_DISPLAY") + ")";
    else if (ShowsNothing(driver))
        text += " (" + Translate("不显示窗口") + ")";
    return text;
}

}

bool VideoShowsWindows()
{
    const char* current = SDL_GetCurrentVideoDriver();
    if (!current)
        return false;
    if (!ShowsNothing(current))
        return true;
    const std::vector<std::string> asked = AskedFor();
    return asked.size() == 1 && asked.front() == "offscreen" && std::string_view(current) == "offscreen";
}

std::string DisplayAttempts()
{
    std::vector<std::string> tried = AskedFor();
    if (tried.empty()) {
        // Without a name SDL tries its drivers in order until one starts;
        // those that show nothing come last.
        for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
            const char* name = SDL_GetVideoDriver(i);
            if (name && !ShowsNothing(name))
                tried.emplace_back(name);
        }
    }
    std::string line;
    for (const std::string& driver : tried)
        line += (line.empty() ? "" : ", ") + Attempt(driver);
    return line;
}

}
