#include "platform/reg/Registry.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace plat;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { UseStore(m_dir.Native("registry.reg")); }
    void TearDown() override { ::unsetenv("LUMIVEX_REGISTRY"); }

    void UseStore(const std::string& path) { ::setenv("LUMIVEX_REGISTRY", path.c_str(), 1); }
    void WriteStore(const std::string& text) { lvtest::WriteNative(m_dir.Native("registry.reg"), text); }
    std::string ReadStore() { return lvtest::ReadNative(m_dir.Native("registry.reg")); }

    // The value's type and bytes through a freshly opened key; the error code otherwise.
    LONG Query(const char* path, const char* name, DWORD& type, std::string& bytes, DWORD room = 1024)
    {
        HKEY key = nullptr;
        if (LONG e = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key))
            return e;
        std::string buffer(room, '\xEE');
        DWORD size = room;
        LONG e = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<unsigned char*>(buffer.data()), &size);
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
        bytes = e == ERROR_SUCCESS ? buffer.substr(0, size) : std::to_string(size);
        return e;
    }

    LONG Create(const char* path)
    {
        HKEY key = nullptr;
        DWORD how = 0;
        LONG e = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
            nullptr, &key, &how);
        if (e == ERROR_SUCCESS)
            RegCloseKey(key);
        return e;
    }

    lvtest::TempFolder m_dir;
};

TEST_F(RegistryTest, ReadsTheExportFormWithItsValueKinds)
{
    WriteStore("REGEDIT4\r\n\r\n"
               "; installed by hand\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\Brindle\\Skiff]\r\n"
               "; default folder is C:\\Program Files\\\r\n"
               "\"Path\"=\"C:\\\\Program Files\\\\tamrel\\\\skiff\\\\\"\r\n"
               "\"quote\"=\"say \\\"hi\\\"\"\r\n"
               "\"count\"=dword:0000002a\r\n"
               "\"env\"=hex(2):25,41,25,\\\r\n"
               "  00\r\n"
               "@=\"default\"\r\n");
    struct Case {
        const char* path;
        const char* name;
        LONG error;
        DWORD type;
        std::string bytes;
    } cases[] = {
        { "software\\brindle\\skiff", "path", ERROR_SUCCESS, REG_SZ, std::string("C:\\Program Files\\tamrel\\skiff\\") + '\0' },
        { "SOFTWARE\\BRINDLE\\SKIFF\\", "PATH", ERROR_SUCCESS, REG_SZ, std::string("C:\\Program Files\\tamrel\\skiff\\") + '\0' },
        { "software\\brindle\\skiff", "quote", ERROR_SUCCESS, REG_SZ, std::string("say \"hi\"") + '\0' },
        { "software\\brindle\\skiff", "count", ERROR_SUCCESS, REG_DWORD, std::string("\x2a\0\0\0", 4) },
        { "software\\brindle\\skiff", "env", ERROR_SUCCESS, REG_EXPAND_SZ, std::string("%A%") + '\0' },
        { "software\\brindle\\skiff", "", ERROR_SUCCESS, REG_SZ, std::string("default") + '\0' },
        { "software\\brindle\\skiff", "missing", ERROR_FILE_NOT_FOUND, 0, "" },
        { "software\\brindle", "path", ERROR_FILE_NOT_FOUND, 0, "" },
        { "software\\other", "path", ERROR_FILE_NOT_FOUND, 0, "" },
        { "\\software\\brindle", "path", ERROR_BAD_PATHNAME, 0, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " / " + c.name);
        DWORD type = 0;
        std::string bytes;
        ASSERT_EQ(Query(c.path, c.name, type, bytes), c.error);
        if (c.error == ERROR_SUCCESS) {
            EXPECT_EQ(type, c.type);
            EXPECT_EQ(bytes, c.bytes);
        }
    }
}

TEST_F(RegistryTest, NewerExportsHoldExpandableStringsAsUtf16)
{
    WriteStore("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n"
               "[HKEY_CURRENT_USER\\k]\n"
               "\"env\"=hex(2):25,00,41,00,25,00,e9,00,3d,d8,00,de,00,00\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "k", 0, KEY_READ, &key), ERROR_SUCCESS);
    unsigned char data[32] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExA(key, "env", nullptr, &type, data, &size), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, REG_EXPAND_SZ);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), std::string("%A%\u00e9\U0001F600") + '\0');
}

TEST_F(RegistryTest, QueriesReportSizesAndTooSmallBuffers)
{
    WriteStore("REGEDIT4\n[HKEY_LOCAL_MACHINE\\k]\n\"v\"=\"abcd\"\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "k", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 5u);
    unsigned char small[4] = { 9, 9, 9, 9 };
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(small[0], 9);
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, small, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, &type, nullptr, nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExA(reinterpret_cast<HKEY>(std::uintptr_t { 0x80000009 }), "k", 0, KEY_READ, &key),
        ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, BrokenLinesAreSkippedAndTheRestIsRead)
{
    WriteStore("REGEDIT4\n"
               "[HKEY_LOCAL_MACHINE\\a]\n"
               "\"good\"=\"1\"\n"
               "\"good\"=\"unterminated\n"
               "\"bad\"=dword:123456789\n"
               "\"bad2\"=hex:zz\n"
               "garbage \x01\x02\xff\n"
               "[HKEY_NOWHERE\\b]\n"
               "\"orphan\"=\"x\"\n"
               "[HKEY_LOCAL_MACHINE\\c\n"
               "\"orphan2\"=\"x\"\n"
               "[HKEY_LOCAL_MACHINE\\a]\n"
               "\"dangling\"=hex:01,\\\n"
               "[HKEY_LOCAL_MACHINE\\d]\n"
               "\"later\"=\"2\"\n");
    DWORD type = 0;
    std::string bytes;
    EXPECT_EQ(Query("a", "good", type, bytes), ERROR_SUCCESS);
    EXPECT_EQ(bytes, std::string("1") + '\0');
    EXPECT_EQ(Query("a", "bad", type, bytes), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query("a", "bad2", type, bytes), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query("a", "orphan", type, bytes), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query("d", "later", type, bytes), ERROR_SUCCESS);
    EXPECT_EQ(bytes, std::string("2") + '\0');
}

TEST_F(RegistryTest, CreatingAKeyAppendsItsSectionAndKeepsTheRest)
{
    const std::string original = "REGEDIT4\r\n; hand edits stay\r\n[HKEY_LOCAL_MACHINE\\keep]\r\n\"v\"=\"1\"";
    WriteStore(original);
    HKEY key = nullptr;
    DWORD how = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "software\\brindle\\skiff", 0, nullptr, REG_OPTION_NON_VOLATILE,
                  KEY_ALL_ACCESS, nullptr, &key, &how),
        ERROR_SUCCESS);
    EXPECT_EQ(how, REG_CREATED_NEW_KEY);
    RegCloseKey(key);
    EXPECT_EQ(ReadStore(), original + "\r\n\r\n[HKEY_LOCAL_MACHINE\\software\\brindle\\skiff]\r\n");

    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Brindle", 0, nullptr, REG_OPTION_NON_VOLATILE,
                  KEY_ALL_ACCESS, nullptr, &key, &how),
        ERROR_SUCCESS);
    EXPECT_EQ(how, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);
    EXPECT_EQ(ReadStore(), original + "\r\n\r\n[HKEY_LOCAL_MACHINE\\software\\brindle\\skiff]\r\n");
}

TEST_F(RegistryTest, AMissingStoreIsCreatedInItsFolder)
{
    UseStore(m_dir.Native("config/lumivex/registry.reg"));
    ASSERT_EQ(Create("software\\brindle\\skiff"), ERROR_SUCCESS);
    EXPECT_EQ(lvtest::ReadNative(m_dir.Native("config/lumivex/registry.reg")),
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\software\\brindle\\skiff]\n");
}

TEST_F(RegistryTest, UnwritableOrForeignStoresRefuseCreationAndStillRead)
{
    const std::string store = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\there]\n\"v\"=\"1\"\n";
    WriteStore(store);
    ::chmod(m_dir.Native("registry.reg").c_str(), 0444);
    EXPECT_EQ(Create("missing"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Create("there"), ERROR_SUCCESS);
    EXPECT_EQ(ReadStore(), store);
    ::chmod(m_dir.Native("registry.reg").c_str(), 0644);

    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.push_back(static_cast<char>(i * 7919 % 251));
    WriteStore(garbage);
    EXPECT_EQ(Create("missing"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadStore(), garbage);

    std::string huge = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\big]\n";
    huge.resize(50 << 20, ';');
    WriteStore(huge);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "big", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Create("missing"), ERROR_ACCESS_DENIED);

    // At the read limit: a key whose section would pass it is refused, so
    // the store stays readable; one that just fits is written.
    std::string full = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\full]\n\"v\"=\"1\"\n";
    const std::string section = "\n[HKEY_LOCAL_MACHINE\\k]\n";
    full.resize((4 << 20) - section.size() - 1, ';');
    full += '\n';
    WriteStore(full);
    EXPECT_EQ(Create("kk"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadStore(), full);
    ASSERT_EQ(Create("k"), ERROR_SUCCESS);
    EXPECT_EQ(ReadStore().size(), std::size_t { 4 << 20 });
    DWORD type = 0;
    std::string bytes;
    EXPECT_EQ(Query("full", "v", type, bytes), ERROR_SUCCESS);

    std::filesystem::create_directory(m_dir.Native("folder"));
    UseStore(m_dir.Native("folder"));
    EXPECT_EQ(Create("missing"), ERROR_ACCESS_DENIED);
    UseStore(m_dir.Native("registry.reg/under-a-file.reg"));
    EXPECT_EQ(Create("missing"), ERROR_ACCESS_DENIED);
}

// A store kept elsewhere behind a link (a set of configuration files) stays
// linked, its mode stays what the user gave it, and copies left by a writer
// that died are swept.
TEST_F(RegistryTest, CreationWritesThroughALinkAndKeepsTheMode)
{
    namespace fs = std::filesystem;
    fs::create_directory(m_dir.Native("dotfiles"));
    lvtest::WriteNative(m_dir.Native("dotfiles/registry.reg"), "REGEDIT4\n");
    fs::create_symlink("dotfiles/registry.reg", m_dir.Native("registry.reg"));
    lvtest::WriteNative(m_dir.Native("dotfiles/.registry.reg.lvtmp-2147483646-0-1"), "half a store");
    for (unsigned mode : { 0644u, 0640u }) {
        SCOPED_TRACE(mode);
        fs::permissions(m_dir.Native("dotfiles/registry.reg"), fs::perms(mode));
        ASSERT_EQ(Create(("k" + std::to_string(mode)).c_str()), ERROR_SUCCESS);
        EXPECT_TRUE(fs::is_symlink(m_dir.Native("registry.reg")));
        EXPECT_EQ(static_cast<unsigned>(fs::status(m_dir.Native("dotfiles/registry.reg")).permissions()), mode);
    }
    EXPECT_EQ(lvtest::ReadNative(m_dir.Native("dotfiles/registry.reg")),
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\k420]\n\n[HKEY_LOCAL_MACHINE\\k416]\n");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir.Native("dotfiles")))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string> { "registry.reg" });
}

TEST_F(RegistryTest, TwoProcessesCreatingKeysAtOnceKeepBoth)
{
    constexpr int kKeysEach = 25;
    pid_t children[2] = {};
    for (int child = 0; child < 2; ++child) {
        children[child] = ::fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            int failures = 0;
            for (int i = 0; i < kKeysEach; ++i)
                failures += Create(("p" + std::to_string(child) + "\\k" + std::to_string(i)).c_str()) != ERROR_SUCCESS;
            ::_exit(failures);
        }
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int child = 0; child < 2; ++child) {
        for (int i = 0; i < kKeysEach; ++i) {
            HKEY key = nullptr;
            std::string path = "p" + std::to_string(child) + "\\k" + std::to_string(i);
            EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS) << path;
            RegCloseKey(key);
        }
    }
}

}
