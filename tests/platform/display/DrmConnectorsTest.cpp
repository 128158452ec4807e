// Connectors read from a fake DRM folder, and which one shows an output.

#include "platform/display/DrmConnectors.h"

#include "support/EdidBlob.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace {

void AddConnector(const lvtest::TempFolder& drm, const std::string& folder, const char* status, const std::string& edid)
{
    std::filesystem::create_directories(drm.Native(folder));
    lvtest::WriteNative(drm.Native(folder + "/status"), status);
    lvtest::WriteNative(drm.Native(folder + "/edid"), edid);
}

TEST(DrmConnectorsTest, ReadsConnectorsAndRefusesWhatIsNotAFile)
{
    lvtest::TempFolder drm;
    std::string edid = lvtest::BlobBytes(lvtest::MakeBlob({}));
    AddConnector(drm, "card0-HDMI-A-1", "connected\n", edid);
    AddConnector(drm, "card0-DP-1", "disconnected\n", "");
    std::filesystem::create_directories(drm.Native("card1-DP-2"));
    ASSERT_EQ(::mkfifo(drm.Native("card1-DP-2/edid").c_str(), 0600), 0);
    lvtest::WriteNative(drm.Native("card1-DP-2/status"), "connected\n");
    std::filesystem::create_directories(drm.Native("card1-eDP-1/edid"));
    std::filesystem::create_directories(drm.Native("card0"));
    lvtest::WriteNative(drm.Native("version"), "drm 1.1.0\n");

    auto connectors = plat::ReadDrmConnectors(drm.Native());
    ASSERT_EQ(connectors.size(), 4u);
    EXPECT_EQ(connectors[0].name, "DP-1");
    EXPECT_FALSE(connectors[0].connected);
    EXPECT_EQ(connectors[1].name, "HDMI-A-1");
    EXPECT_TRUE(connectors[1].connected);
    EXPECT_EQ(connectors[1].edid, edid);
    EXPECT_EQ(connectors[2].name, "DP-2");
    EXPECT_TRUE(connectors[2].connected);
    EXPECT_EQ(connectors[2].edid, ""); // a FIFO, read without blocking
    EXPECT_EQ(connectors[3].name, "eDP-1");
    EXPECT_EQ(connectors[3].edid, ""); // a folder

    EXPECT_TRUE(plat::ReadDrmConnectors(drm.Native("missing")).empty());

    // Each connector keeps its EDID's bytes, not room for the longest, and
    // a folder of thousands reads no more than a machine can have.
    EXPECT_LT(connectors[1].edid.capacity(), 1024u);
    for (int i = 0; i < 300; ++i)
        std::filesystem::create_directories(drm.Native("card2-DP-" + std::to_string(i)));
    EXPECT_EQ(plat::ReadDrmConnectors(drm.Native()).size(), plat::kMaxDrmConnectors);
}

TEST(DrmConnectorsTest, MatchesTheOnlyConnectedOneOrTheNamedOne)
{
    using C = plat::DrmConnector;
    struct Case {
        const char* what;
        std::vector<C> connectors;
        const char* output;
        int expected; // index, or -1 for none
    };
    const Case cases[] = {
        { "the only connected one", { { "DP-1", false, "" }, { "HDMI-A-1", true, "" } }, "whatever", 1 },
        { "two connected, one named", { { "DP-1", true, "" }, { "HDMI-A-1", true, "" } }, "hdmi-a-1", 1 },
        { "two connected, none named", { { "DP-1", true, "" }, { "HDMI-A-1", true, "" } }, "VGA-1", -1 },
        { "none connected, one named", { { "DP-1", false, "" } }, "DP-1", 0 },
        { "no connectors", {}, "DP-1", -1 },
        { "no output name", { { "DP-1", true, "" }, { "DP-2", true, "" } }, "", -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const C* found = plat::MatchConnector(c.connectors, c.output);
        EXPECT_EQ(found ? found - c.connectors.data() : -1, c.expected);
    }
}

TEST(DrmConnectorsTest, IdentifiesTheMonitorFromTheFolderTheEnvironmentNames)
{
    lvtest::TempFolder drm;
    AddConnector(drm, "card0-HDMI-A-1", "connected\n", lvtest::BlobBytes(lvtest::MakeBlob({})));
    plat::EdidInfo info;
    ::setenv("LUMIVEX_DRM_DIR", drm.Native().c_str(), 1);
    EXPECT_TRUE(plat::IdentifyMonitor("screen", &info));
    EXPECT_EQ(info.name, "LV Monitor");
    ::setenv("LUMIVEX_DRM_DIR", drm.Native("nothing").c_str(), 1);
    EXPECT_FALSE(plat::IdentifyMonitor("screen", &info));
    ::unsetenv("LUMIVEX_DRM_DIR");
}

}
