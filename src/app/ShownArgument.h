#pragma once

// A command-line argument as an error line quotes it: the line stays one
// line and nothing in it reaches the terminal as a control sequence.

#include <string>
#include <string_view>

// Control characters written as escapes ("\n", "\t", "\r", "\x1b", and the
// C1 range as its UTF-8 bytes "\xc2\x9b"); an argument longer than 100
// bytes cut at a character's start and ended with "...".
std::string ShownArgument(std::string_view argument);
