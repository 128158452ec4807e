#pragma once

// The one table of the test window's keys: the keys, what they do and the
// line people read about them. The window's key handling, the on-screen
// key map, the usage text and the manual page's KEYS section all follow
// it; a pattern's own keys are rows of the same kind in its pattern row.

#include <span>
#include <string_view>

enum class TestAction {
    NextStep,
    PreviousStep,
    FirstStep,
    NextPattern,
    PreviousPattern,
    NextMonitor,
    KeyMap,
    Loupe,
    Mark,
    ClearMarks,
    Inspect,
    End,
    Pattern, // taken by the shown pattern's hooks
};

struct KeyBinding {
    std::span<const unsigned> codes; // the virtual keys that do it
    std::string_view keys;           // the keys (and buttons) as people read them
    TestAction action;
    std::string_view description;
};

// The window's own keys, in the order the key map lists them.
std::span<const KeyBinding> TestKeys();

// The binding of virtual key `code` among the window's own keys; null for
// a key the window does not use.
const KeyBinding* FindTestKey(unsigned code);
