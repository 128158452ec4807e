#pragma once

// The one table of test patterns. Each row says what a pattern is: the
// mode the test window runs it under, its command-line name, its caption,
// its colours (one per step, the colour the information lines show, so the
// row's step count is their number) and its renderer. Drawing, the step
// order, the keys that change pattern, the command line and the tests all
// read this table; a new pattern is a row here and a renderer.

#include "platform/Types.h"
#include "screentest/TestWnd.h"

#include <span>
#include <string_view>

struct Pattern {
    int mode = 0;
    std::string_view name;
    // The title of its information lines when no button started it (the
    // buttons' captions for the first eight).
    std::string_view caption;
    std::span<const plat::COLORREF> colors;
    void (CTestWnd::*draw)() = nullptr;

    int Steps() const { return static_cast<int>(colors.size()); }
};

// Every pattern, in the order the pattern keys walk: the main window's
// buttons row by row, then the others.
std::span<const Pattern> Patterns();

// The row of `mode`, or of command-line `name`; null when there is none.
const Pattern* FindPattern(int mode);
const Pattern* FindPattern(std::string_view name);

// The row after (before) the row of `mode`, wrapping round at the table's
// ends; from a mode outside the table, the first (last) row.
const Pattern& NextPattern(int mode);
const Pattern& PreviousPattern(int mode);
