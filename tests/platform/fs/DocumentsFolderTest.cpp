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
        std::string expected = c.expected[0] ? home.Windows(c.expected) + "\\" : home.Windows() + "\\";
        EXPECT_EQ(plat::GetDocumentsFolder(), expected);
    }
}

TEST(DocumentsFolderTest, NoHomeNoFolder)
{
    lvtest::ScopedEnv homeVar("HOME", std::nullopt);
    EXPECT_EQ(plat::GetDocumentsFolder(), "");
}

}
