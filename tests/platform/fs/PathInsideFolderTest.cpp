#include "platform/fs/PathInsideFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PathInsideFolder, RefusesEveryWayOut)
{
    using namespace std::string_literals;
    struct Case {
        std::string path;
        bool inside;
    } cases[] = {
        { "evil.bin", true },
        { "data\\sub\\x.bin", true },
        { "data/sub/x.bin", true },
        { "data\\\\x.bin", true },
        { "data//x.bin", true },
        { ".\\x.bin", true },
        { "data\\.", true },
        { "...", true },
        { "..x\\y..", true },
        { "", false },
        { ".", false },
        { ".\\./", false },
        { "..", false },
        { "../evil.bin", false },
        { "..\\evil.bin", false },
        { "sub/../../evil.bin", false },
        { "a\\..\\..\\evil.bin", false },
        { "data\\..", false },
        { "data\\..\\x.bin", false },
        { "/tmp/evil.bin", false },
        { "\\evil.bin", false },
        { "\\\\server\\share\\x", false },
        { "C:evil.bin", false },
        { "Z:\\tmp\\evil.bin", false },
        { "c:/tmp/evil.bin", false },
        { "data\\x.bin:stream", false },
        { "a:b", false },
        { "data\\x\0..\\..\\y"s, false },
        { "x.bin\0"s, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(plat::IsPathInsideFolder(c.path), c.inside) << c.path;
}

}
