#pragma once

// The markup the layout engine is given for a page's text: the page as the
// HTML parser reads it, at most `maxParsedBytes` of it, with every element
// nested deeper than `maxNesting` cut off, and no more than twice
// `maxParsedBytes` written. A page the parser cannot read within its
// memory and time budgets is read only as far as `fallbackParsedBytes`.

#include "platform/web/LoadLimits.h"

#include <atomic>
#include <optional>
#include <string>
#include <string_view>

namespace plat::web {

// nullopt when `cancel` was set before the markup was made.
std::optional<std::string> PageMarkup(std::string_view html, const LoadLimits& limits,
    const std::atomic<bool>* cancel = nullptr);

}
