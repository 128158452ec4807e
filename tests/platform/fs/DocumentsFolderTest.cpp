// The documents folder as the user's settings and folders name it.

#include "platform/fs/DocumentsFolder.h"

#include "support/ScopedEnv.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(DocumentsFolderTest, FromTheUserDirsFileElseDocumentsElseHome)
{
    struct Case {
        const char* what;
        const char* userDirs; // nullptr: no user-dirs.dirs
        bool documentsExists;
        const char* expected; // relative to the home folder
    };
    const Case cases[] = {
        { "named under home", "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n", false, "Papiere" },
        { "named absolute", "XDG_DOCUMENTS_DIR=\"@/elsewhere/docs\"\n", true, "elsewhere/docs" },
        { "the last line counts", "XDG_DOCUMENTS_DIR=\"$HOME/a\"\nXDG_DOCUMENTS_DIR=\"$HOME/b\"\n", false, "b" },
        { "home itself means none", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", true, "Documents" },
        { "relative value ignored", "XDG_DOCUMENTS_DIR=\"docs\"\n", false, "" },
        { "unquoted value ignored", "XDG_DOCUMENTS_DIR=$HOME/docs\n", true, "Documents" },
        { "no file, ~/Documents", nullptr, true, "Documents" },
        { "no file, no ~/Documents", nullptr, false, "" },
        // Read as the shell reads a double-quoted value, used as a Linux path.
        { "a backslash is a letter", "XDG_DOCUMENTS_DIR=\"$HOME/a\\b\"\n", false, "a\\b" },
        { "escaped quotes", "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n", false, "My \"Docs\"" },
        { "escaped backslash and dollar", "XDG_DOCUMENTS_DIR=\"$HOME/a\\\\b\\$c\"\n", false, "a\\b$c" },
        { "dots behind backslashes stay one name", "XDG_DOCUMENTS_DIR=\"$HOME/x\\..\\..\\..\\escape\"\n", false,
            "x\\..\\..\\..\\escape" },
        { "a colon is a letter", "XDG_DOCUMENTS_DIR=\"$HOME/a:b\"\n", false, "a:b" },
        { "$HOME only at the start", "XDG_DOCUMENTS_DIR=\"/x/$HOME\"\n", true, "Documents" },
        { "$HOMEX is not $HOME", "XDG_DOCUMENTS_DIR=\"$HOMEX/docs\"\n", true, "Documents" },
        { "a command is not run", "XDG_DOCUMENTS_DIR=\"$HOME/`id`\"\n", true, "Documents" },
        { "no closing quote", "XDG_DOCUMENTS_DIR=\"$HOME/docs\n", true, "Documents" },
        { "text after the quote", "XDG_DOCUMENTS_DIR=\"$HOME/docs\"x\n", true, "Documents" },
        { "a comment after the quote", "XDG_DOCUMENTS_DIR=\"$HOME/docs\" # mine\n", false, "docs" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lvtest::TempFolder home;
        lvtest::ScopedEnv homeVar("HOME", home.Native());
        lvtest::ScopedEnv configVar("XDG_CONFIG_HOME", home.Native("conf"));
        std::filesystem::create_directories(home.Native("conf"));
        if (c.userDirs) {
            std::string text = c.userDirs;
            if (std::size_t at = text.find('@'); at != std::string::npos)
                text.replace(at, 1, home.Native());
            lvtest::WriteNative(home.Native("conf/user-dirs.dirs"), text);
        }
        if (c.documentsExists)
            std::filesystem::create_directories(home.Native("Documents"));
        EXPECT_EQ(plat::GetDocumentsFolder(), c.expected[0] ? home.Native(c.expected) : home.Native());
    }
}

TEST(DocumentsFolderTest, NoHomeNoFolder)
{
    lvtest::ScopedEnv homeVar("HOME", std::nullopt);
    EXPECT_EQ(plat::GetDocumentsFolder(), "");
    EXPECT_EQ(plat::GetDataHomeFolder(), "");
}

}
