// An inspection's report.html for a table of records: monitor texts from
// an EDID a stranger made, a skipped pixel check, motion measured or not,
// a panel worse than every class, and the screen size only when known.

#include "screentest/InspectionPage.h"

#include "screentest/VerdictText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

InspectionCheck Check(std::string name, CheckAnswer answer, FaultType type, std::vector<plat::Point> marks = {})
{
    return { std::move(name), answer, type, std::move(marks) };
}

InspectionRecord Record()
{
    InspectionRecord record;
    record.monitor.name = "LV";
    record.monitor.width = 1920;
    record.monitor.height = 1080;
    record.checks = {
        Check("lit-pixels", CheckAnswer::Fine, FaultType::Lit),
        Check("dark-pixels", CheckAnswer::Fine, FaultType::Dark),
        Check("sub-pixels-red", CheckAnswer::Fine, FaultType::SubPixel),
    };
    return record;
}

TEST(InspectionPageTest, ShowsWhatTheRecordHoldsAndNothingItDoesNot)
{
    struct Row {
        const char* what;
        std::function<void(InspectionRecord&)> set;
        std::vector<std::string> shown;
        std::vector<std::string> absent;
    };
    const Row rows[] = {
        { "hostile EDID texts",
            [](InspectionRecord& r) {
                r.monitor.name = "<script>alert(1)</script>";
                r.monitor.maker = "A&B";
                r.monitor.serial = "\"><img src=x onerror=y>";
                r.checks[0].caption = "<b>亮点</b>";
            },
            { "<title>显示器检验报告 - &lt;script&gt;alert(1)&lt;/script&gt;</title>", "<td>A&amp;B</td>",
                "<td>&quot;&gt;&lt;img src=x onerror=y&gt;</td>", "<td>&lt;b&gt;亮点&lt;/b&gt;</td>" },
            { "<script>", "<img src=x", "<b>" } },
        { "a skipped pixel check leaves the class open",
            [](InspectionRecord& r) { r.checks[2].answer = CheckAnswer::Skipped; },
            { "<td>sub-pixels-red</td><td>已跳过</td>", VerdictSentence(std::nullopt) }, {} },
        { "no motion measured", [](InspectionRecord&) {},
            { "<th>运动</th><td>未测量</td>", "<th>伽马</th><td>未测量</td>", VerdictSentence(PixelFaultClass::I) },
            { "Hz", "<h2>标记" } },
        { "motion and readings",
            [](InspectionRecord& r) {
                r.motion = MotionFigures { 59.9401, 2, 1 };
                r.gamma = 2.2;
                r.darkestLevel = 3;
            },
            { "<th>刷新率</th><td>59.94 Hz</td>", "<th>保持的帧</th><td>2</td>", "<th>丢弃的帧</th><td>1</td>",
                "<th>伽马</th><td>2.20</td>", "<th>最暗可分辨灰阶</th><td>3</td>" },
            { "<th>运动</th>" } },
        { "a refresh rate that is not a number", [](InspectionRecord& r) { r.motion = MotionFigures { std::nan(""), 0, 0 }; },
            { "<th>刷新率</th><td>未测量</td>" }, { "nan" } },
        // 104 lit pixels: past class IV's 50 per million on 2,073,600 pixels.
        { "worse than class IV",
            [](InspectionRecord& r) {
                for (int i = 0; i < 104; ++i)
                    r.checks[0].marks.push_back({ i * 10, 500 });
                r.checks[0].answer = CheckAnswer::Defect;
            },
            { VerdictSentence(PixelFaultClass::WorseThanIV), "<h2>标记 (104)</h2>",
                "<td class=\"n\">104</td><td>lit-pixels</td><td class=\"n\">1030, 500</td><td>亮点</td>" },
            {} },
        { "screen size known", [](InspectionRecord& r) {
             r.monitor.widthMm = 527;
             r.monitor.heightMm = 296;
         },
            { "<th>屏幕尺寸</th><td>52.7 x 29.6 cm (23.8 英寸)</td>" }, {} },
        { "screen size unknown", [](InspectionRecord&) {}, {}, { "屏幕尺寸" } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        InspectionRecord record = Record();
        row.set(record);
        const std::string page = InspectionPageHtml(record, "2026-12-07 09:05:03");
        for (const std::string& text : row.shown)
            EXPECT_NE(page.find(text), std::string::npos) << text;
        for (const std::string& text : row.absent)
            EXPECT_EQ(page.find(text), std::string::npos) << text;
    }
}

}
