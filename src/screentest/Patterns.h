#pragma once

// The one table of test patterns. Each row says what a pattern is: its
// command-line name, its caption, its colours (one per step, the colour
// the information lines show, so the row's step count is their number),
// its renderer and, only for a pattern that animates or takes input, its
// hooks and the keys they add. Drawing, the step order, the keys that
// change pattern, the command line and the tests all read this table; a
// new pattern is a row here and a renderer in a file of its own.

#include "platform/Types.h"
#include "screentest/PatternHooks.h"
#include "screentest/StepCanvas.h"
#include "screentest/TestKeyTable.h"

#include <memory>
#include <span>
#include <string_view>

struct Pattern {
    std::string_view name;
    // The title of its information lines when no button started it (the
    // buttons' captions for the first eight).
    std::string_view caption;
    std::span<const plat::COLORREF> colors = {};
    PatternRenderer draw = nullptr;
    // Null for a pattern that only draws.
    std::unique_ptr<PatternHooks> (*makeHooks)() = nullptr;
    // The keys the hooks take, for the key map and the usage text.
    std::span<const KeyBinding> keys = {};

    int Steps() const { return static_cast<int>(colors.size()); }
};

// Every pattern, in the order the pattern keys walk: the main window's
// buttons row by row, then the others.
std::span<const Pattern> Patterns();

// The row of command-line `name`; null when there is none.
const Pattern* FindPattern(std::string_view name);

// The row after (before) `pattern`, wrapping round at the table's ends;
// from null, the first (last) row.
const Pattern& NextPattern(const Pattern* pattern);
const Pattern& PreviousPattern(const Pattern* pattern);
