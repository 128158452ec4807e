#include "platform/gfx/FontMatchCache.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include "platform/gfx/FreeTypeFace.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace plat;

namespace {

// A cache file of the test's own, holding an answer for "Song" at 12 px
// that names a font file of the test's own.
struct CacheWorld {
    lvtest::TempFolder folder;
    std::string path = folder.Native("cache/lumivex/font-match");
    std::string font = folder.Native("song.ttf");

    CacheWorld()
    {
        lvtest::WriteNative(font, "not really a font");
        FontMatchCache(path).Remember("Song", 12, FaceFile { font, 2, "Song" });
    }
    std::optional<std::optional<FaceFile>> Find() { return FontMatchCache(path).Find("Song", 12); }
};

}

TEST(FontMatchCache, AnswersSurviveARunAndNoneIsTakenForGranted)
{
    {
        CacheWorld world;
        auto known = world.Find();
        ASSERT_TRUE(known && *known);
        EXPECT_EQ((*known)->path, world.font);
        EXPECT_EQ((*known)->index, 2);
        FontMatchCache(world.path).Remember("Nothing", 16, std::nullopt);
        auto none = FontMatchCache(world.path).Find("Nothing", 16);
        ASSERT_TRUE(none);
        EXPECT_FALSE(*none);
        EXPECT_FALSE(FontMatchCache(world.path).Find("Song", 16));
    }
    struct Case {
        const char* what;
        std::function<void(CacheWorld&)> spoil;
    };
    const Case cases[] = {
        { "another fingerprint", [](CacheWorld& w) {
             std::string text = lvtest::ReadNative(w.path);
             text[text.find("fingerprint ") + 12] ^= 1;
             lvtest::WriteNative(w.path, text);
         } },
        { "truncated", [](CacheWorld& w) {
             std::string text = lvtest::ReadNative(w.path);
             lvtest::WriteNative(w.path, text.substr(0, text.size() - 2));
         } },
        { "a damaged line", [](CacheWorld& w) {
             std::string text = lvtest::ReadNative(w.path);
             text.insert(text.find("Song\t12"), "Song\tx\t-\n");
             lvtest::WriteNative(w.path, text);
         } },
        { "a link to a good file", [](CacheWorld& w) {
             std::filesystem::rename(w.path, w.path + ".real");
             std::filesystem::create_symlink(w.path + ".real", w.path);
         } },
        { "the font file changed", [](CacheWorld& w) { lvtest::WriteNative(w.font, "another font, longer"); } },
        // Opening a FIFO waits for a writer: the window would never appear.
        { "a FIFO in its place", [](CacheWorld& w) {
             std::filesystem::remove(w.path);
             ASSERT_EQ(mkfifo(w.path.c_str(), 0600), 0);
         } },
        { "an answer naming a FIFO", [](CacheWorld& w) {
             std::string fifo = w.folder.Native("fifo.ttf");
             ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
             FontMatchCache(w.path).Remember("Song", 12, FaceFile { fifo, 0, "Song" });
         } },
    };
    for (const Case& c : cases) {
        CacheWorld world;
        c.spoil(world);
        EXPECT_FALSE(world.Find()) << c.what;
        // Rebuilt: the next run finds the new answer in a regular file.
        FontMatchCache(world.path).Remember("Song", 12, FaceFile { world.font, 0, "Song" });
        EXPECT_TRUE(world.Find()) << c.what;
        EXPECT_FALSE(std::filesystem::is_symlink(world.path)) << c.what;
    }
}

TEST(FontMatchCache, AnUnwritableCacheStillAnswersWithinTheRun)
{
    lvtest::TempFolder folder;
    lvtest::WriteNative(folder.Native("file"), "");
    FontMatchCache cache(folder.Native("file/lumivex/font-match"));
    cache.Remember("Song", 12, std::nullopt);
    auto none = cache.Find("Song", 12);
    ASSERT_TRUE(none);
    EXPECT_FALSE(*none);
    EXPECT_FALSE(FontMatchCache(folder.Native("file/lumivex/font-match")).Find("Song", 12));
}

TEST(FontMatchCache, WritesOnlyAFreshFileInsideAnAbsoluteCacheFolder)
{
    // Another file of the user's, linked where a writer might stage the cache.
    CacheWorld world;
    std::string victim = world.folder.Native("victim");
    lvtest::WriteNative(victim, "keep me");
    ASSERT_EQ(link(victim.c_str(), (world.path + ".tmp-" + std::to_string(getpid())).c_str()), 0);
    FontMatchCache(world.path).Remember("Other", 16, std::nullopt);
    EXPECT_EQ(lvtest::ReadNative(victim), "keep me");
    EXPECT_TRUE(FontMatchCache(world.path).Find("Other", 16));

    // A FIFO named as the font file is refused without waiting for a writer.
    std::string fifo = world.folder.Native("font-fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(OpenFreeTypeFace(FaceFile { fifo, 0, "Song" }, 12, 0, false));

    struct Case {
        const char* cacheHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        { "/c", "/h", "/c/lumivex/font-match" },
        { nullptr, "/h", "/h/.cache/lumivex/font-match" },
        { "relative", "/h", "/h/.cache/lumivex/font-match" },
        { nullptr, nullptr, "" },
        { "", "", "" },
        { "relative", "also-relative", "" },
    };
    const char* savedCache = std::getenv("XDG_CACHE_HOME");
    const char* savedHome = std::getenv("HOME");
    std::string cacheValue = savedCache ? savedCache : "";
    std::string homeValue = savedHome ? savedHome : "";
    for (const Case& c : cases) {
        for (auto [name, value] : { std::pair { "XDG_CACHE_HOME", c.cacheHome }, std::pair { "HOME", c.home } })
            value ? setenv(name, value, 1) : unsetenv(name);
        EXPECT_EQ(FontMatchCache::DefaultPath(), c.expected) << (c.cacheHome ? c.cacheHome : "(unset)") << ", "
                                                             << (c.home ? c.home : "(unset)");
    }
    savedCache ? setenv("XDG_CACHE_HOME", cacheValue.c_str(), 1) : unsetenv("XDG_CACHE_HOME");
    savedHome ? setenv("HOME", homeValue.c_str(), 1) : unsetenv("HOME");
}

TEST(FontSetupFingerprint, WalksEachFontFolderOnceAndNoLinkOutOfTheFontFolders)
{
    // Ten links to "." multiply a walk that follows them by ten at each
    // level; a link to "/" takes it through the whole file system.
    lvtest::TempFolder home;
    std::filesystem::create_directories(home.Native(".fonts/real"));
    for (int i = 0; i < 10; ++i)
        std::filesystem::create_directory_symlink(".", home.Native(".fonts/l" + std::to_string(i)));
    std::filesystem::create_directory_symlink("/", home.Native(".fonts/root"));
    const char* saved = std::getenv("HOME");
    std::string savedHome = saved ? saved : "";
    setenv("HOME", home.Native().c_str(), 1);
    std::string before = FontSetupFingerprint();
    std::filesystem::create_directory(home.Native(".fonts/real/new"));
    EXPECT_NE(FontSetupFingerprint(), before);
    saved ? setenv("HOME", savedHome.c_str(), 1) : unsetenv("HOME");
}
