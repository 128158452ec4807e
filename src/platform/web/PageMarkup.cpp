#include "platform/web/PageMarkup.h"

#include "platform/web/BoundedParse.h"
#include "platform/web/LimitedMarkup.h"

#include <memory>

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
    return LimitedMarkup(*parse->Output(), limits.maxNesting, 2 * limits.maxParsedBytes);
}

}
