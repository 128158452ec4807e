// Defect reports written into a temporary documents folder: the three
// files and their contents, a second report in the same second, and a
// documents folder that cannot hold one.

#include "screentest/DefectReport.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <unistd.h>

namespace {

MonitorIdentity Monitor()
{
    MonitorIdentity m;
    m.index = 2;
    m.name = "LV <Monitor>";
    m.width = 1921;
    m.height = 1081;
    m.maker = "ABC";
    m.model = "1234";
    m.made = "2019-W12";
    return m;
}

const std::vector<DefectMark> kMarks {
    { { 0, 0 }, "block-fill", 0, plat::RGB(0, 0, 255) },
    { { 1920, 1080 }, "dead-pixel", 1, plat::RGB(0x12, 0xAB, 0xEF) },
};

std::time_t When()
{
    std::tm local {};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 7;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 3;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const std::string& png)
{
    auto u32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16)
            | (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    return png.size() < 24 || png.compare(12, 4, "IHDR") != 0 ? std::pair { 0, 0 } : std::pair { u32(16), u32(20) };
}

TEST(DefectReportTest, WritesTheThreeFilesInANewFolderEachTime)
{
    lvtest::TempFolder documents;
    std::string folder;
    ASSERT_EQ(WriteDefectReport(documents.Windows() + "\\", Monitor(), kMarks, When(), &folder), 0);
    EXPECT_EQ(folder, documents.Windows("Lumivex/2026-12-07-090503") + "\\");
    std::string base = documents.Native("Lumivex/2026-12-07-090503/");
    EXPECT_EQ(lvtest::ReadNative(base + "marks.json"),
        "{\"monitor\": {\"index\": 2, \"name\": \"LV <Monitor>\", \"width\": 1921, \"height\": 1081, "
        "\"maker\": \"ABC\", \"model\": \"1234\", \"serial\": null, \"made\": \"2019-W12\"},\n \"marks\": [\n"
        "  {\"x\": 0, \"y\": 0, \"pattern\": \"block-fill\", \"step\": 0, \"color\": \"#0000FF\"},\n"
        "  {\"x\": 1920, \"y\": 1080, \"pattern\": \"dead-pixel\", \"step\": 1, \"color\": \"#12ABEF\"}\n ]}\n");
    EXPECT_EQ(PngSize(lvtest::ReadNative(base + "map.png")), std::pair(481, 271));
    std::string page = lvtest::ReadNative(base + "report.html");
    EXPECT_NE(page.find("<img src=\"map.png\""), std::string::npos);
    EXPECT_NE(page.find("LV &lt;Monitor&gt;"), std::string::npos);
    EXPECT_NE(page.find("2026-12-07 09:05:03"), std::string::npos);
    EXPECT_NE(page.find("<td>2</td><td>1920, 1080</td><td>dead-pixel</td><td>1</td><td>#12ABEF</td>"), std::string::npos);

    // The same second again: the name is taken, a suffix is added.
    ASSERT_EQ(WriteDefectReport(documents.Windows() + "\\", Monitor(), kMarks, When(), &folder), 0);
    EXPECT_EQ(folder, documents.Windows("Lumivex/2026-12-07-090503-2") + "\\");
    EXPECT_TRUE(lvtest::Exists(documents.Native("Lumivex/2026-12-07-090503-2/report.html")));
}

TEST(DefectReportTest, ADocumentsFolderThatCannotHoldItFailsAndSaysWhere)
{
    lvtest::TempFolder root;
    lvtest::WriteNative(root.Native("file"), "not a folder");
    std::filesystem::create_directories(root.Native("locked"));
    std::filesystem::permissions(root.Native("locked"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    struct Case {
        const char* what;
        std::string documents;
    };
    std::vector<Case> cases { { "a file", root.Windows("file") + "\\" }, { "no home", "" } };
    if (::geteuid() != 0) // root writes anywhere
        cases.push_back({ "not writable", root.Windows("locked") + "\\" });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string folder;
        EXPECT_EQ(WriteDefectReport(c.documents, Monitor(), kMarks, When(), &folder), 1);
        EXPECT_EQ(folder, c.documents + "Lumivex\\");
    }
    std::filesystem::permissions(root.Native("locked"), std::filesystem::perms::owner_all);
}

}
