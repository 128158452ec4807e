#pragma once

// Environment variables the program sets for the libraries it starts, which
// read them from the environment as they start; the programs it starts do
// not inherit them. Set them before any other thread runs: adding a
// variable may move the environment while another thread reads it.

#include <string>
#include <vector>

namespace plat {

// Sets `name` to `value` unless it is set already (the user's choice
// stays); true when it set it.
bool SetOwnVariable(const char* name, const char* value);

// The environment as "NAME=value" strings, without the variables that
// SetOwnVariable set.
std::vector<std::string> EnvironmentForPrograms();

}
