#include "platform/AsciiCase.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

constexpr std::size_t npos = std::string_view::npos;

TEST(AsciiCase, FoldsOnlyAsciiLettersAndFindsFromAnyStart)
{
    // Bytes beside 'A' and 'Z' and the bytes of a multibyte character stay as they are.
    EXPECT_EQ(plat::ToLowerAscii("@AZ[`az{ \xC3\x84 Ü"), "@az[`az{ \xC3\x84 Ü");
    struct Case {
        std::string_view text, needle;
        std::size_t from, found;
    } cases[] = {
        { "<HTML><Body>", "<body", 0, 6 },
        { "</Script></SCRIPT>", "</script", 1, 9 },
        { "abcABC", "ABC", 0, 0 },
        { "abc", "abcd", 0, npos },
        { "abc", "c", 3, npos },
        { "abc", "", 3, 3 },
        { "abc", "", 4, npos },
        { "abc", "a", 99, npos },
        { "\xC3\x84", "\xC3\xA4", 0, npos },
    };
    for (const Case& c : cases)
        EXPECT_EQ(plat::FindIgnoringAsciiCase(c.text, c.needle, c.from), c.found) << c.text << " / " << c.needle;
}

}
