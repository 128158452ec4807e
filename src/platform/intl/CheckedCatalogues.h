#pragma once

// gettext opens a catalogue when a text is first looked up, not when its
// folder is bound, and reads whatever file is there by then. The program
// binds gettext to a private folder holding copies of the bytes it checked,
// has gettext load them at once and removes the folder: no file gettext
// could open later was left unchecked or could change after the check.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace plat {

// The checked catalogues: each one's path relative to a locale folder and
// its bytes.
using CatalogueCopies = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

// Writes `copies` into a fresh folder of this user's (under TMPDIR, else
// /tmp), binds `domain` there in UTF-8, loads every catalogue gettext would
// use under the current locale and LANGUAGE, and removes the folder. False
// when the folder cannot be made or written, or gettext cannot be bound.
bool BindCheckedCatalogues(const char* domain, const CatalogueCopies& copies);

}
