#include "platform/web/BoundedParse.h"

#include <csetjmp>
#include <cstddef>
#include <cstdlib>
#include <ctime>

namespace plat::web {

namespace {

// The thread's processor clock is a system call: read it now and then. The
// parser allocates at least once per tag, so it is read often enough.
constexpr int kAllocationsPerClockRead = 64;

long ThreadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}

// Every block the parser holds, linked so that an abandoned parse, or the
// finished tree, is freed in one pass: the parser's own release of a tree
// recurses once per level of nesting.
struct BoundedParse::Arena {
    struct alignas(std::max_align_t) Block {
        Block* prev;
        Block* next;
        std::size_t size;
    };

    explicit Arena(ParseBudget limits)
        : budget(limits)
    {
    }

    ParseBudget budget;
    long startCpuMs = ThreadCpuMs();
    std::size_t held = 0;
    unsigned allocations = 0;
    ParseEnd stop = ParseEnd::Parsed;
    Block* blocks = nullptr;
    std::jmp_buf abandon;

    // Stops the parse (leaving through `abandon`) when cancelled or over budget.
    void Check(std::size_t size)
    {
        if (budget.cancel && budget.cancel->load(std::memory_order_relaxed))
            stop = ParseEnd::Cancelled;
        else if (held + size > budget.maxMemory
            || (++allocations % kAllocationsPerClockRead == 0 && ThreadCpuMs() - startCpuMs > budget.maxCpuMs))
            stop = ParseEnd::OverBudget;
        if (stop != ParseEnd::Parsed)
            std::longjmp(abandon, 1);
    }

    static void* Allocate(void* userdata, std::size_t size)
    {
        auto* arena = static_cast<Arena*>(userdata);
        arena->Check(size);
        auto* block = static_cast<Block*>(std::malloc(sizeof(Block) + size));
        if (!block) {
            arena->stop = ParseEnd::OverBudget;
            std::longjmp(arena->abandon, 1);
        }
        block->prev = nullptr;
        block->next = arena->blocks;
        block->size = size;
        if (arena->blocks)
            arena->blocks->prev = block;
        arena->blocks = block;
        arena->held += size;
        return block + 1;
    }

    static void Free(void* userdata, void* pointer)
    {
        if (!pointer)
            return;
        auto* arena = static_cast<Arena*>(userdata);
        Block* block = static_cast<Block*>(pointer) - 1;
        if (block->prev)
            block->prev->next = block->next;
        else
            arena->blocks = block->next;
        if (block->next)
            block->next->prev = block->prev;
        arena->held -= block->size;
        std::free(block);
    }

    ~Arena()
    {
        while (blocks) {
            Block* next = blocks->next;
            std::free(blocks);
            blocks = next;
        }
    }
};

namespace {

// Nothing with a destructor lives in this frame, so leaving the parser
// through the jump skips no clean-up: the arena frees what it held.
GumboOutput* ParseOrAbandon(std::jmp_buf& abandon, const GumboOptions& options, std::string_view html)
{
    if (setjmp(abandon) != 0)
        return nullptr;
    return gumbo_parse_with_options(&options, html.data(), html.size());
}

}

BoundedParse::BoundedParse(std::string_view html, ParseBudget budget)
    : m_arena(new Arena(budget))
{
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &Arena::Allocate;
    options.deallocator = &Arena::Free;
    options.userdata = m_arena;
    // Each recorded error copies the stack of open elements: on deep
    // nesting that alone is memory growing with the square of the depth.
    options.max_errors = 0;
    m_output = ParseOrAbandon(m_arena->abandon, options, html);
    if (m_output)
        m_end = ParseEnd::Parsed;
    else
        m_end = m_arena->stop == ParseEnd::Cancelled ? ParseEnd::Cancelled : ParseEnd::OverBudget;
}

BoundedParse::~BoundedParse()
{
    delete m_arena;
}

}
