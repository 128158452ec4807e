#pragma once

// A parsed page written back as markup, without the nodes nested deeper
// than a limit. The layout engine parses its input again and builds its
// elements recursively, so the depth is bounded on the tree the parser
// made, not guessed from the text. Every element is written with its end
// tag (void elements have none) and text escaped, so that the parser reads
// the markup back as the same tree; comments are left out.

#include <gumbo.h>

#include <cstddef>
#include <string>

namespace plat::web {

// `maxDepth` counts the html element as 1; an element deeper than that is
// left out with all it holds. Once `maxBytes` are written no further node
// is begun (the open elements are still closed): the parser may build far
// more elements than the text has tags, by reopening formatting elements.
std::string LimitedMarkup(const GumboOutput& parsed, int maxDepth, std::size_t maxBytes);

}
