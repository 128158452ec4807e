#pragma once

// The file that holds the registry: $LUMIVEX_REGISTRY when set, else
// $XDG_CONFIG_HOME/lumivex/registry.reg (~/.config when XDG_CONFIG_HOME is
// unset or relative). Internal to the registry library.

#include "platform/reg/RegText.h"

#include <string>
#include <string_view>

namespace plat::reg {

// Linux path of the store; empty when no location can be worked out.
std::string StorePath();

// The keys and values of the store as it is now. A missing, unreadable,
// oversized or headerless store reads as an empty tree.
Tree ReadStore();

// Makes sure the key exists in the store: under an exclusive lock on a file
// beside it, the store is read again and, when the key is still missing, a
// copy with the key's section appended is written beside it and renamed over
// it. Everything else in the file is kept as it was, its permission bits
// too, and a store that is a symbolic link is written through to its
// target. False when the store cannot be written (including an existing file
// that is not a store) or would grow past the size it is read up to.
bool CreateStoreKey(std::string_view fullName);

}
