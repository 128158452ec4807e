#pragma once

// What one page may cost its loader, each limit with its reason.

#include <cstddef>

namespace plat::web {

struct LoadLimits {
    std::size_t maxBytes = 8 * 1024 * 1024; // all responses together
    int maxResources = 256;                 // requests, the document's included
    // The part of the document that is parsed: every word becomes an
    // element, so a bigger page costs far more memory than it could show.
    std::size_t maxParsedBytes = 512 * 1024;
    // Element depth in the parsed tree; deeper content is cut off. The
    // layout engine builds, styles, lays out and draws elements recursively.
    int maxNesting = 200;
    // The HTML parser's memory and processor time. Its work grows with the
    // square of the nesting depth, so a small page of nothing but nested
    // block tags can take many seconds; an ordinary page of maxParsedBytes
    // takes about 40 ms and 20 MB.
    std::size_t maxParseMemory = 64 * 1024 * 1024;
    long maxParseCpuMs = 500;
    // What is parsed of a page that passed those: a part small enough that
    // even the worst nesting parses in a few tens of milliseconds.
    std::size_t fallbackParsedBytes = 16 * 1024;
    long long maxImagePixels = 16LL * 1024 * 1024; // all decoded pictures together
    long timeoutMs = 20000;                        // per request
    long totalTimeoutMs = 60000;                   // the whole page with its resources
};

}
