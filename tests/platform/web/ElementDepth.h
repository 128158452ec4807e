#pragma once

// Elements (not text) on the longest path from the root, the root included:
// how deep the layout engine's tree really is after a page was limited.

#include <litehtml.h>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

inline int ElementDepth(const litehtml::element::ptr& root)
{
    int deepest = 0;
    std::vector<std::pair<litehtml::element::ptr, int>> pending { { root, 1 } };
    while (!pending.empty()) {
        auto [element, depth] = pending.back();
        pending.pop_back();
        if (*element->get_tagName() == '\0')
            continue;
        deepest = std::max(deepest, depth);
        for (std::size_t i = 0; i < element->get_children_count(); ++i)
            pending.push_back({ element->get_child(static_cast<int>(i)), depth + 1 });
    }
    return deepest;
}
