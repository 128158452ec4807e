// Defect reports written into a temporary documents folder: the three
// files and their contents, a second report in the same second, a
// documents folder that cannot hold one (the report, an inspection's too,
// goes to the next place, with the reason), the page's texts escaped in
// any language, and the map's numbers.

#include "screentest/DefectReport.h"
#include "screentest/InspectionReport.h"
#include "screentest/ReportMap.h"
#include "screentest/ReportText.h"

#include "platform/intl/Translate.h"
#include "platform/picture/PictureDecoders.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <sys/resource.h>
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

const std::vector<std::string> kCaptions { "块 <填充> & co", "坏点" };

TEST(DefectReportTest, WritesTheThreeFilesInANewFolderEachTime)
{
    lvtest::TempFolder documents;
    const std::vector<ReportPlace> places { { documents.Native(), "Lumivex" } };
    ReportOutcome outcome = WriteDefectReport(places, Monitor(), kMarks, kCaptions, When());
    EXPECT_EQ(outcome.folder, documents.Native("Lumivex/2026-12-07-090503/"));
    EXPECT_TRUE(outcome.failures.empty());
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
    // The pattern by its caption, escaped; numbers right-aligned.
    EXPECT_NE(page.find("<tr><td class=\"n\">1</td><td class=\"n\">0, 0</td><td>块 &lt;填充&gt; &amp; co</td>"
                        "<td class=\"n\">0</td><td>#0000FF</td></tr>"),
        std::string::npos);
    EXPECT_NE(page.find("<td class=\"n\">2</td><td class=\"n\">1920, 1080</td><td>坏点</td><td class=\"n\">1</td>"
                        "<td>#12ABEF</td>"),
        std::string::npos);

    // The same second again: the name is taken, a suffix is added.
    outcome = WriteDefectReport(places, Monitor(), kMarks, kCaptions, When());
    EXPECT_EQ(outcome.folder, documents.Native("Lumivex/2026-12-07-090503-2/"));
    EXPECT_TRUE(lvtest::Exists(documents.Native("Lumivex/2026-12-07-090503-2/report.html")));

    // A folder named with '\\' and ':' is a Linux name like any other.
    std::filesystem::create_directories(documents.Native("a\\b:c"));
    outcome = WriteDefectReport({ { documents.Native("a\\b:c"), "Lumivex" } }, Monitor(), kMarks, kCaptions, When());
    EXPECT_EQ(outcome.folder, documents.Native("a\\b:c/Lumivex/2026-12-07-090503/"));
    EXPECT_TRUE(lvtest::Exists(outcome.folder + "report.html"));
    EXPECT_FALSE(lvtest::Exists(documents.Native("a")));
}

// A documents folder that cannot take the report: the reason is kept, the
// report goes to the next place whole, nothing of it is left behind, and a
// documents folder that does not exist is not made.
TEST(DefectReportTest, ADocumentsFolderThatCannotHoldItSaysWhyAndTheReportGoesToTheNextPlace)
{
    lvtest::TempFolder root;
    lvtest::WriteNative(root.Native("file"), "not a folder");
    std::filesystem::create_directories(root.Native("locked"));
    std::filesystem::permissions(root.Native("locked"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::filesystem::create_directories(root.Native("small"));
    struct Case {
        const char* what;
        std::string documents;
        std::string failedPath;
        std::string reason;
        rlim_t fileSizeLimit = RLIM_INFINITY;
        bool inspection = false; // an inspection's report, not a defect report
    };
    std::vector<Case> cases {
        { "a file", root.Native("file"), root.Native("file"), "Not a directory" },
        { "missing, not made", root.Native("missing"), root.Native("missing"), "No such file or directory" },
        { "no home", "", "", "No such file or directory" },
        { "a back slash is a letter", root.Native("a\\b"), root.Native("a\\b"), "No such file or directory" },
        { "an inspection's report", root.Native("file"), root.Native("file"), "Not a directory", RLIM_INFINITY, true },
        // A disk that fills up: a file size limit fails the writes the same way.
        { "full", root.Native("small"), root.Native("small/Lumivex/2026-12-07-090503/map.png"), "File too large", 600 },
    };
    if (::geteuid() != 0) // root writes anywhere
        cases.push_back({ "not writable", root.Native("locked"), root.Native("locked/Lumivex"), "Permission denied" });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lvtest::TempFolder data;
        const std::vector<ReportPlace> places { { c.documents, "Lumivex" }, { data.Native(), "lumivex/reports" } };
        rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit { c.fileSizeLimit, old.rlim_max };
        auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ReportOutcome outcome = c.inspection ? WriteInspectionReport(places, { Monitor(), {}, {}, {}, {}, {} }, When())
                                             : WriteDefectReport(places, Monitor(), kMarks, kCaptions, When());
        ::setrlimit(RLIMIT_FSIZE, &old);
        (void)std::signal(SIGXFSZ, oldSignal);
        ASSERT_EQ(outcome.failures.size(), c.fileSizeLimit == RLIM_INFINITY ? 1u : 2u);
        EXPECT_EQ(outcome.failures[0].path, c.failedPath);
        EXPECT_EQ(outcome.failures[0].reason, c.reason);
        if (c.fileSizeLimit != RLIM_INFINITY) {
            // The limit holds in the next place too: nothing took it.
            EXPECT_EQ(outcome.folder, "");
            EXPECT_FALSE(lvtest::Exists(root.Native("small/Lumivex/2026-12-07-090503"))) << "a part report is removed";
            continue;
        }
        EXPECT_EQ(outcome.folder, data.Native("lumivex/reports/2026-12-07-090503/"));
        EXPECT_TRUE(lvtest::Exists(outcome.folder + "report.html"));
        EXPECT_TRUE(lvtest::Exists(outcome.folder + (c.inspection ? "inspection.json" : "marks.json")));
    }
    EXPECT_FALSE(lvtest::Exists(root.Native("missing")));
    EXPECT_FALSE(lvtest::Exists(root.Native("a")));
    std::filesystem::permissions(root.Native("locked"), std::filesystem::perms::owner_all);
}

// Translations are text like any other: markup in a catalogue is shown,
// never run.
TEST(DefectReportTest, TranslatedTextsAreEscapedOnThePage)
{
    lvtest::TempFolder folder;
    std::filesystem::create_directories(folder.Native("locales"));
    if (std::system(("localedef -c -i en_US -f UTF-8 '" + folder.Native("locales/en_US.UTF-8") + "' >/dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << "localedef cannot make en_US.UTF-8 (Debian's locales package)";
    struct Row {
        const char* chinese;
        const char* translation;
        const char* shown;
    };
    const Row rows[] = {
        { "坏点报告", "<script>alert(1)</script>", "<h1>&lt;script&gt;alert(1)&lt;/script&gt;</h1>" },
        { "图案", "Pattern & step", "<th>Pattern &amp; step</th>" },
        { "zh-CN", "en\" onload=\"x", "<html lang=\"en&quot; onload=&quot;x\">" },
        { "位置图", "Map \"<b>\"", "alt=\"Map &quot;&lt;b&gt;&quot;\"" },
        { "未知", "<i>unknown</i>", "<td>&lt;i&gt;unknown&lt;/i&gt;</td>" },
    };
    std::string po = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n";
    for (const Row& row : rows) {
        std::string translation;
        for (const char* c = row.translation; *c; ++c)
            translation += *c == '"' ? std::string("\\\"") : std::string(1, *c);
        po += std::string("\nmsgid \"") + row.chinese + "\"\nmsgstr \"" + translation + "\"\n";
    }
    std::filesystem::create_directories(folder.Native("locale/en/LC_MESSAGES"));
    lvtest::WriteNative(folder.Native("en.po"), po);
    ASSERT_EQ(std::system(("msgfmt -o '" + folder.Native("locale/en/LC_MESSAGES/lumivex.mo") + "' '" + folder.Native("en.po") + "'").c_str()), 0);
    std::string page;
    {
        lvtest::ScopedEnv locales("LOCPATH", folder.Native("locales"));
        lvtest::ScopedEnv all("LC_ALL", std::nullopt);
        lvtest::ScopedEnv language("LANGUAGE", std::nullopt);
        lvtest::ScopedEnv lang("LANG", "en_US.UTF-8");
        ASSERT_TRUE(plat::StartTranslations(folder.Native("locale")));
        MonitorIdentity monitor = Monitor();
        monitor.serial.clear();
        page = ReportHtml(monitor, kMarks, kCaptions, "2026-12-07 09:05:03");
        setenv("LC_ALL", "C", 1);
        plat::StartTranslations(folder.Native("locale"));
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chinese);
        EXPECT_NE(page.find(row.shown), std::string::npos) << page;
    }
    EXPECT_EQ(page.find("<script>"), std::string::npos);
}

// Every pixel of the map that is not background or ring: the numbers.
struct MapPixels {
    int width = 0;
    int height = 0;
    int white = 0;
    int whiteRows = 0;
    bool outlined = true; // no white pixel touches the background
};

MapPixels ReadMap(int width, int height, plat::Point mark)
{
    std::string png;
    MapPixels map;
    if (!ReportMapPng(width, height, { { mark, "grid", 0, 0 } }, &png))
        return map;
    plat::DecodedPicture picture;
    std::string error;
    if (!plat::DecodePng({ reinterpret_cast<const std::uint8_t*>(png.data()), png.size() }, 1 << 24, picture, error))
        return map;
    map.width = picture.width;
    map.height = picture.height;
    auto at = [&](int x, int y) -> std::uint32_t {
        if (x < 0 || y < 0 || x >= picture.width || y >= picture.height)
            return 0;
        return picture.argb[static_cast<std::size_t>(y) * picture.width + x] & 0xFFFFFF;
    };
    for (int y = 0; y < picture.height; ++y) {
        bool rowHasWhite = false;
        for (int x = 0; x < picture.width; ++x) {
            if (at(x, y) != 0xFFFFFF)
                continue;
            ++map.white;
            rowHasWhite = true;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx)
                    map.outlined = map.outlined && at(x + dx, y + dy) != 0x404040;
            }
        }
        map.whiteRows += rowHasWhite;
    }
    return map;
}

TEST(ReportMapTest, NumbersAreOutlinedSizedToTheMapAndWholeAtEveryEdge)
{
    struct Case {
        const char* what;
        int width;
        int height;
        plat::Point mark;
    };
    const Case cases[] = {
        { "middle", 1920, 1080, { 960, 540 } },
        { "top left corner", 1920, 1080, { 0, 0 } },
        { "bottom right corner", 1920, 1080, { 1919, 1079 } },
        { "right edge", 1920, 1080, { 1919, 540 } },
        { "bottom edge", 1920, 1080, { 960, 1079 } },
    };
    const MapPixels middle = ReadMap(1920, 1080, { 960, 540 });
    ASSERT_GT(middle.white, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MapPixels map = ReadMap(c.width, c.height, c.mark);
        EXPECT_EQ(map.width, 480);
        EXPECT_EQ(map.white, middle.white) << "the number is whole";
        EXPECT_TRUE(map.outlined) << "white only inside its black outline";
    }
    // A larger map, larger numbers.
    EXPECT_GT(ReadMap(3840, 2160, { 1920, 1080 }).whiteRows, middle.whiteRows);
}

}
