#pragma once

// The user's folders where the program writes what a person is meant to
// keep and open. The documents folder is the one XDG_DOCUMENTS_DIR names in
// $XDG_CONFIG_HOME/user-dirs.dirs (~/.config when unset), else ~/Documents
// when that is a folder, else the home folder itself.
//
// These are Linux paths, never passed through the Windows path mapping: a
// folder a person names may hold '\' or ':' like any Linux name. Write into
// them with NewFolder.h.

#include <string>

namespace plat {

// Absolute, without a trailing '/'; empty when there is no home folder
// (HOME unset or not absolute). The folder may not exist: it is the
// person's to make, never the program's.
std::string GetDocumentsFolder();

// $XDG_DATA_HOME when absolute, else ~/.local/share; empty without a home.
std::string GetDataHomeFolder();

// $HOME without a trailing '/'; empty when unset or not absolute.
std::string GetHomeFolder();

}
