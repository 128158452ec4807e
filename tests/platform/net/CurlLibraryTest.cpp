#include "platform/net/CurlLibrary.h"

#include "platform/net/InternetSession.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <future>
#include <vector>

using plat::CurlLibrary;
using plat::InternetSession;

namespace {

bool CurlIsMapped()
{
    void* handle = dlopen("libcurl.so.4", RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

}

TEST(CurlLibraryDeathTest, LoadedByTheFirstSessionNotAtStart)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // A fresh process, so no earlier test has loaded the library yet.
    EXPECT_EXIT(
        {
            const bool before = CurlIsMapped();
            const bool opened = InternetSession::Open("lv") != nullptr;
            std::exit(!before && opened && CurlIsMapped() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(CurlLibraryTest, EveryThreadGetsTheSameLoadedLibrary)
{
    std::vector<std::future<const CurlLibrary*>> callers;
    for (int i = 0; i < 8; ++i)
        callers.push_back(std::async(std::launch::async, [] { return CurlLibrary::Get(); }));
    const CurlLibrary* first = CurlLibrary::Get();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Loaded());
    for (auto& caller : callers)
        EXPECT_EQ(caller.get(), first);
}

TEST(CurlLibraryTest, MissingLibraryOrFunctionsLeaveNothingToCall)
{
    // zlib is present wherever this program runs, and has none of curl's functions.
    for (const char* file : { "libno-such-library.so.9", "libz.so.1", static_cast<const char*>(nullptr) }) {
        CurlLibrary library(file);
        EXPECT_FALSE(library.Loaded()) << (file ? file : "null");
        EXPECT_EQ(library.globalInit, nullptr);
        EXPECT_EQ(library.easyInit, nullptr);
    }
}
