#include "update/UpdateThread.h"

#include "UpdateRunFolder.h"
#include "UpdateServerFixture.h"
#include "localdata/TaggedFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>

namespace {

std::string ManifestFor(const std::string& mainUrl)
{
    // Long enough that a torn read would show: the value sits in the middle.
    return "[BUTTON_README_URL_V2]\r\n" + std::string(20000, 'r') + "\r\n[MAIN_URL]\r\n" + mainUrl + "\r\n"
        + std::string(20000, '-') + "\r\n[FILE_LIST_BEGIN]\r\n[FILE_LIST_END]\r\n[HTML_END]\r\n";
}

// The user interface reads data\main.htm afresh for every lookup, without a
// lock, while the update thread replaces it: every lookup sees the old
// manifest or the new one, whole.
TEST(UpdateThreadConcurrency, LookupsSeeTheOldOrTheNewManifestNeverAMix)
{
    UpdateServerFixture server;
    ASSERT_TRUE(server.Running());
    UpdateRunFolder folder;
    setenv("LUMIVEX_UPDATE_SERVER", server.Root().c_str(), 1);
    const std::string first = "http://first.invalid/";
    const std::string second = "http://second.invalid/";
    folder.Write("data/main.htm", ManifestFor(first));
    const std::string path = folder.Windows() + "data\\main.htm";

    std::atomic<bool> done = false;
    std::atomic<int> lookups = 0;
    std::set<std::string> seen;
    std::thread reader([&] {
        while (!done) {
            CTaggedFile file;
            file.Load(path);
            std::string readme = file.GetValue("[BUTTON_README_URL_V2]");
            std::string value = file.GetValue("[MAIN_URL]");
            if (readme.size() != 20000)
                value = "torn: readme of " + std::to_string(readme.size()) + " bytes";
            seen.insert(value);
            ++lookups;
        }
    });

    for (int run = 0; run < 40; ++run) {
        server.SetManifest(ManifestFor(run % 2 ? first : second));
        ASSERT_EQ(RunFirstStage(folder.Windows(), 0), 0u);
        // Let at least one whole lookup follow each replacement.
        for (int target = lookups + 2; lookups < target;)
            std::this_thread::yield();
    }
    done = true;
    reader.join();
    unsetenv("LUMIVEX_UPDATE_SERVER");

    EXPECT_GT(lookups.load(), 0);
    EXPECT_EQ(seen, (std::set<std::string> { first, second }));
}

}
