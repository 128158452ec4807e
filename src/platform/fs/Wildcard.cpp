#include "platform/fs/Wildcard.h"

#include "platform/AsciiCase.h"

namespace plat {

namespace {

// Index just past the character that starts at `i`: a UTF-8 lead byte takes
// its continuation bytes along; any other byte stands alone.
size_t NextCharacter(std::string_view s, size_t i)
{
    auto lead = static_cast<unsigned char>(s[i]);
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3
        : lead >= 0xC0                              ? 2
                                                    : 1;
    size_t end = i + 1;
    while (end < s.size() && end < i + length && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
        ++end;
    return end;
}

}

bool HasWildcard(std::string_view pattern)
{
    return pattern.find_first_of("*?") != std::string_view::npos;
}

bool MatchWildcard(std::string_view pattern, std::string_view name)
{
    if (pattern == "*.*")
        pattern = "*";
    // Greedy match that backtracks only to the last '*': linear in practice,
    // never exponential.
    size_t p = 0;
    size_t n = 0;
    size_t starPattern = std::string_view::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n = NextCharacter(name, n);
        } else if (p < pattern.size() && FoldAscii(pattern[p]) == FoldAscii(name[n])) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern;
            starName = NextCharacter(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}
