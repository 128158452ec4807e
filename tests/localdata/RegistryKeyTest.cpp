#include "localdata/RegistryKey.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("LUMIVEX_REGISTRY", m_dir.Native("registry.reg").c_str(), 1);
        lvtest::WriteNative(m_dir.Native("registry.reg"),
            "REGEDIT4\n\n"
            "[HKEY_LOCAL_MACHINE\\software\\brindle\\sweeper]\n"
            "\"path\"=\"C:\\\\Tools\\\\\"\n"
            "\"count\"=dword:00000001\n"
            "\"env\"=hex(2):25,50,52,4f,47,25,5c,00\n"
            "\"s254\"=\""
                + std::string(254, 'a') + "\"\n"
                                          "\"s255\"=\""
                + std::string(255, 'b') + "\"\n"
                                          "[HKEY_LOCAL_MACHINE]\n"
                                          "@=\"root default\"\n");
    }
    void TearDown() override { ::unsetenv("LUMIVEX_REGISTRY"); }

    lvtest::TempFolder m_dir;
};

TEST_F(RegistryKeyTest, RootsAndOpening)
{
    CRegistryKey key;
    EXPECT_EQ(key.Root(), plat::HKEY_CURRENT_USER);
    EXPECT_FALSE(key.SetRoot(reinterpret_cast<HKEY>(std::uintptr_t { 0x80000004 })));
    EXPECT_FALSE(key.SetRoot(nullptr));
    EXPECT_EQ(key.Root(), plat::HKEY_CURRENT_USER);
    EXPECT_TRUE(key.SetRoot(plat::HKEY_LOCAL_MACHINE));

    EXPECT_TRUE(key.Open("software\\brindle\\sweeper", false));
    EXPECT_FALSE(key.Open("software\\brindle\\nothing", false));
    EXPECT_EQ(key.Path(), "software\\brindle\\sweeper");

    // An empty path addresses the root key itself.
    EXPECT_TRUE(key.Open("", false));
    EXPECT_EQ(key.GetString("", "fallback"), "root default");

    key.Reset();
    EXPECT_EQ(key.Root(), plat::HKEY_CURRENT_USER);
    EXPECT_EQ(key.Path(), "");
}

TEST_F(RegistryKeyTest, StringsOnlyWhenTextThatFitsTheBuffer)
{
    CRegistryKey key;
    key.SetRoot(plat::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(key.Open("software\\brindle\\sweeper", true));
    struct Case {
        const char* name;
        std::uint32_t type;
        std::string text;
    } cases[] = {
        { "path", plat::REG_SZ, "C:\\Tools\\" },
        { "PATH", plat::REG_SZ, "C:\\Tools\\" },
        { "count", plat::REG_DWORD, "default" },
        { "env", plat::REG_EXPAND_SZ, "%PROG%\\" },
        { "s254", plat::REG_SZ, std::string(254, 'a') },
        { "s255", plat::REG_SZ, "default" },
        { "missing", 0, "default" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(key.GetValueType(c.name), c.type);
        EXPECT_EQ(key.GetString(c.name, "default"), c.text);
    }
}

TEST_F(RegistryKeyTest, AMissingKeyIsCreatedEmpty)
{
    CRegistryKey key;
    key.SetRoot(plat::HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(key.Open("software\\brindle\\skiff", false));
    ASSERT_TRUE(key.Open("software\\brindle\\skiff", true));
    EXPECT_EQ(key.GetString("path", ""), "");
    CRegistryKey again;
    again.SetRoot(plat::HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(again.Open("software\\brindle\\skiff", false));
}

}
