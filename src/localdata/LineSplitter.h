#pragma once

// Splitting a text into lines, as every reader of the manifest and the logs
// does: CR, LF and any run of them end a line, so the only empty line ever
// returned is the first one of a text that starts with a break.

#include <cstddef>
#include <optional>
#include <string_view>

// The line of `text` that starts at `cursor`, without its break, with
// `cursor` moved past the break; nullopt, `cursor` untouched, once `cursor`
// is at the end of the text.
std::optional<std::string_view> SplitNextLine(std::string_view text, std::size_t& cursor);
