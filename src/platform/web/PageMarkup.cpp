#include "platform/web/PageMarkup.h"

#include "platform/web/BoundedParse.h"
#include "platform/web/LimitedMarkup.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace plat::web {

namespace {

// The text cut at the last tag start before `limit` bytes, so that no
// character or tag is split.
std::string_view CutAtTag(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t at = text.rfind('<', limit);
    return text.substr(0, at == std::string_view::npos ? 0 : at);
}

// The deepest element of a parsed page, the html element counting 1.
int Depth(const GumboOutput& parsed)
{
    int deepest = 0;
    std::vector<std::pair<const GumboNode*, int>> pending;
    if (parsed.root)
        pending.push_back({ parsed.root, 1 });
    while (!pending.empty()) {
        auto [node, depth] = pending.back();
        pending.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE)
            continue;
        deepest = std::max(deepest, depth);
        const GumboVector& children = node->v.element.children;
        for (unsigned i = 0; i < children.length; ++i)
            pending.push_back({ static_cast<const GumboNode*>(children.data[i]), depth + 1 });
    }
    return deepest;
}

// Rounds of writing back and reading again before a page that keeps
// growing deeper is given up.
constexpr int kMaxRounds = 4;

}

std::optional<std::string> PageMarkup(std::string_view html, const LoadLimits& limits, const std::atomic<bool>* cancel)
{
    ParseBudget budget { limits.maxParseMemory, limits.maxParseCpuMs, cancel };
    std::string_view text = CutAtTag(html, limits.maxParsedBytes);
    auto parse = std::make_unique<BoundedParse>(text, budget);
    if (parse->End() == ParseEnd::OverBudget && text.size() > limits.fallbackParsedBytes) {
        parse.reset();
        parse = std::make_unique<BoundedParse>(CutAtTag(text, limits.fallbackParsedBytes), budget);
    }
    switch (parse->End()) {
    case ParseEnd::Cancelled:
        return std::nullopt;
    case ParseEnd::OverBudget:
        return std::string();
    case ParseEnd::Parsed:
        break;
    }
    // Written back, a page grows by its implied end tags and quotes.
    const std::size_t maxBytes = 2 * limits.maxParsedBytes;
    std::string markup = LimitedMarkup(*parse->Output(), limits.maxNesting, maxBytes);
    // The parser does not read every tree it can build back as the same
    // tree (elements it restructures, formatting elements it reopens), so
    // the written markup is read again as the layout engine will read it,
    // and cut again while it comes out deeper than the limit.
    for (int round = 0; round < kMaxRounds; ++round) {
        parse.reset();
        parse = std::make_unique<BoundedParse>(markup, budget);
        if (parse->End() == ParseEnd::Cancelled)
            return std::nullopt;
        if (parse->End() == ParseEnd::OverBudget)
            return std::string();
        if (Depth(*parse->Output()) <= limits.maxNesting)
            return markup;
        markup = LimitedMarkup(*parse->Output(), limits.maxNesting, maxBytes);
    }
    return std::string();
}

}
