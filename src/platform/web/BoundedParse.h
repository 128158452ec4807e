#pragma once

// The HTML parser run within budgets: of the memory it holds, of processor
// time (its work grows with the square of the nesting depth: each block
// start tag searches every open element), and a cancel flag. The parser has
// no way to stop early, so its allocator is where the budgets are checked;
// a parse over budget or cancelled is abandoned from there and everything
// it allocated is freed.

#include <gumbo.h>

#include <atomic>
#include <cstddef>
#include <string_view>

namespace plat::web {

struct ParseBudget {
    std::size_t maxMemory = 0; // bytes the parser holds at once
    long maxCpuMs = 0;         // processor time of the parsing thread
    const std::atomic<bool>* cancel = nullptr;
};

enum class ParseEnd { Parsed,
    OverBudget,
    Cancelled };

class BoundedParse {
public:
    // Parses `html` (UTF-8) at once; no parse errors are recorded.
    BoundedParse(std::string_view html, ParseBudget budget);
    ~BoundedParse();
    BoundedParse(const BoundedParse&) = delete;
    BoundedParse& operator=(const BoundedParse&) = delete;

    ParseEnd End() const { return m_end; }
    // The document, while this lives; null unless the parse ended Parsed.
    const GumboOutput* Output() const { return m_output; }

private:
    struct Arena;

    ParseEnd m_end = ParseEnd::OverBudget;
    const GumboOutput* m_output = nullptr;
    Arena* m_arena = nullptr;
};

}
