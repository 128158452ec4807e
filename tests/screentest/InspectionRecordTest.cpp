// inspection.json written for a table of records and read back by
// Python's own JSON reader: every key's value as it decodes, keys that
// must be absent, a name that needs escaping, and the class left open
// until the pixel checks are all answered and the monitor's size is known.

#include "screentest/InspectionRecord.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// One line per key, sorted: the key and its value as JSON again.
std::string ReadBack(const std::string& path)
{
    const std::string command = "python3 -c 'import json, sys\n"
                                "d = json.load(open(sys.argv[1], encoding=\"utf-8\"))\n"
                                "for k in sorted(d): print(k, json.dumps(d[k], ensure_ascii=False, sort_keys=True))' '"
        + path + "' 2>&1";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

MonitorIdentity Monitor(int width, int height)
{
    MonitorIdentity m;
    m.index = 2;
    m.name = "LV \"27\"\n显示器";
    m.width = width;
    m.height = height;
    m.maker = "ABC";
    m.made = "2019-W12";
    return m;
}

// The monitor as read back, its size "null" when unknown.
std::string MonitorLine(const std::string& width, const std::string& height)
{
    return R"(monitor {"height": )" + height + R"(, "index": 2, "made": "2019-W12", "maker": "ABC", "model": null, )"
        + R"("name": "LV \"27\"\n显示器", "serial": null, "width": )" + width + "}\n";
}

InspectionCheck Check(std::string name, CheckAnswer answer, FaultType type, std::vector<plat::Point> marks = {})
{
    return { std::move(name), answer, type, std::move(marks) };
}

std::vector<InspectionCheck> PixelChecks(CheckAnswer subPixel)
{
    return {
        Check("lit-pixels", CheckAnswer::Fine, FaultType::Lit),
        Check("dark-pixels", CheckAnswer::Defect, FaultType::Dark, { { 10, 20 }, { 1919, 1079 } }),
        Check("sub-pixels-red", subPixel, FaultType::SubPixel, { { 500, 400 } }),
    };
}

struct Row {
    std::string name;
    InspectionRecord record;
    std::string expected;
};

std::vector<Row> Rows()
{
    InspectionRecord full { Monitor(1920, 1080), PixelChecks(CheckAnswer::Defect), 3, 252, 2.1972, MotionFigures { 59.94, 2, 1 } };
    full.checks.push_back(Check("uniformity-25", CheckAnswer::Defect, FaultType::None, { { 0, 0 } }));

    InspectionRecord stopped { Monitor(0, 0), { Check("lit-pixels", CheckAnswer::Fine, FaultType::Lit) }, {}, {}, {}, {} };
    InspectionRecord skipped { Monitor(1920, 1080), PixelChecks(CheckAnswer::Skipped), {}, {}, {}, MotionFigures { std::nan(""), 0, 0 } };
    InspectionRecord tiny { Monitor(10, 10),
        { Check("lit-pixels", CheckAnswer::Defect, FaultType::Lit, { { 1, 1 } }),
            Check("dark-pixels", CheckAnswer::Fine, FaultType::Dark),
            Check("sub-pixels-red", CheckAnswer::Fine, FaultType::SubPixel) },
        {}, {}, {}, {} };
    InspectionRecord unsized = tiny;
    unsized.monitor = Monitor(0, 0);

    const std::string marks = R"(checks [{"answer": "fine", "marks": [], "name": "lit-pixels"}, )"
                              R"({"answer": "defect", "marks": [{"type": 2, "x": 10, "y": 20}, {"type": 2, "x": 1919, "y": 1079}], "name": "dark-pixels"}, )";
    const std::string counts = R"(pixel_faults {"dark": 2, "lit": 0, "lit_or_dark_clusters": 0, "sub_pixel": 1, "sub_pixel_clusters": 0})";
    return {
        { "every reading", full,
            marks + R"({"answer": "defect", "marks": [{"type": 3, "x": 500, "y": 400}], "name": "sub-pixels-red"}, )"
                + R"({"answer": "defect", "marks": [{"type": 0, "x": 0, "y": 0}], "name": "uniformity-25"}])"
                + "\ndarkest_level 3\nframes_dropped 1\nframes_held 2\ngamma 2.2\nheight 1080\nlightest_level 252\n"
                + MonitorLine("1920", "1080") + "pixel_fault_class \"II\"\n" + counts + "\nrefresh_hz 59.94\nwidth 1920\n" },
        { "stopped after one check", stopped,
            R"(checks [{"answer": "fine", "marks": [], "name": "lit-pixels"}])"
            "\ndarkest_level null\ngamma null\nheight null\nlightest_level null\n"
                + MonitorLine("null", "null") + "pixel_fault_class null\n"
                + R"(pixel_faults {"dark": 0, "lit": 0, "lit_or_dark_clusters": 0, "sub_pixel": 0, "sub_pixel_clusters": 0})"
                + "\nwidth null\n" },
        { "sub-pixels skipped, rate not a number", skipped,
            marks + R"({"answer": "skipped", "marks": [{"type": 3, "x": 500, "y": 400}], "name": "sub-pixels-red"}])"
                + "\ndarkest_level null\nframes_dropped 0\nframes_held 0\ngamma null\nheight 1080\nlightest_level null\n"
                + MonitorLine("1920", "1080") + "pixel_fault_class null\n" + counts + "\nrefresh_hz null\nwidth 1920\n" },
        { "a lit pixel on a hundred pixels", tiny,
            R"(checks [{"answer": "defect", "marks": [{"type": 1, "x": 1, "y": 1}], "name": "lit-pixels"}, )"
            R"({"answer": "fine", "marks": [], "name": "dark-pixels"}, {"answer": "fine", "marks": [], "name": "sub-pixels-red"}])"
            "\ndarkest_level null\ngamma null\nheight 10\nlightest_level null\n"
                + MonitorLine("10", "10") + "pixel_fault_class \"worse than IV\"\n"
                + R"(pixel_faults {"dark": 0, "lit": 1, "lit_or_dark_clusters": 0, "sub_pixel": 0, "sub_pixel_clusters": 0})"
                + "\nwidth 10\n" },
        { "the same lit pixel, the monitor's size unknown", unsized,
            R"(checks [{"answer": "defect", "marks": [{"type": 1, "x": 1, "y": 1}], "name": "lit-pixels"}, )"
            R"({"answer": "fine", "marks": [], "name": "dark-pixels"}, {"answer": "fine", "marks": [], "name": "sub-pixels-red"}])"
            "\ndarkest_level null\ngamma null\nheight null\nlightest_level null\n"
                + MonitorLine("null", "null") + "pixel_fault_class null\n"
                + R"(pixel_faults {"dark": 0, "lit": 1, "lit_or_dark_clusters": 0, "sub_pixel": 0, "sub_pixel_clusters": 0})"
                + "\nwidth null\n" },
    };
}

TEST(InspectionRecordTest, WrittenJsonReadsBack)
{
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        lvtest::TempFolder folder;
        ASSERT_TRUE(WriteInspectionJson(folder.Windows() + "\\", row.record));
        EXPECT_EQ(ReadBack(folder.Native("inspection.json")), row.expected);
    }
}

TEST(InspectionRecordTest, UnwritableFolderIsAFailure)
{
    lvtest::TempFolder folder;
    EXPECT_FALSE(WriteInspectionJson(folder.Windows("missing") + "\\", {}));
}

}
