#pragma once

// Addresses inside a web page: references resolved against the page's
// address as browsers do, and the test for the schemes the panel fetches.

#include <string>
#include <string_view>

namespace plat::web {

// `reference` resolved against the absolute address `base`: scheme-relative,
// root-relative and relative references, with "." and ".." segments removed
// and the fragment dropped. An absolute reference is returned as it is
// (without its fragment); empty when either is unusable.
std::string ResolveUrl(std::string_view base, std::string_view reference);

// True for an absolute http or https address (scheme in any case).
bool IsWebUrl(std::string_view url);

}
