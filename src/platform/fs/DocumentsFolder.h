#pragma once

// The user's documents folder, where the program writes what a person is
// meant to keep and open: the folder XDG_DOCUMENTS_DIR names in
// $XDG_CONFIG_HOME/user-dirs.dirs (~/.config when unset), else ~/Documents
// when that is a folder, else the home folder itself.

#include <string>

namespace plat {

// A Windows path with a trailing backslash; empty when there is no home
// folder (HOME unset or not absolute). The folder may not exist yet.
std::string GetDocumentsFolder();

}
