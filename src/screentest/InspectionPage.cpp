#include "screentest/InspectionPage.h"

#include "platform/intl/Translate.h"
#include "screentest/ReportPage.h"
#include "screentest/VerdictText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

constexpr int kGammaDecimals = 2;
constexpr int kHzDecimals = 2;

std::string NotMeasured()
{
    return PageLabel(plat::TranslateLater("未测量"));
}

// Fixed-point text, the same in every locale; "not measured" for a value
// that is not a number.
std::string Fixed(double value, int decimals)
{
    std::array<char, 64> text {};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    return std::isfinite(value) && error == std::errc {} ? std::string(text.data(), end) : NotMeasured();
}

std::string AnswerText(CheckAnswer answer)
{
    switch (answer) {
    case CheckAnswer::Fine:
        return PageLabel(plat::TranslateLater("正常"));
    case CheckAnswer::Defect:
        return PageLabel(plat::TranslateLater("有缺陷"));
    case CheckAnswer::Skipped:
        break;
    }
    return PageLabel(plat::TranslateLater("已跳过"));
}

std::string MarkTypeText(FaultType type)
{
    switch (type) {
    case FaultType::Lit:
        return PageLabel(plat::TranslateLater("亮点"));
    case FaultType::Dark:
        return PageLabel(plat::TranslateLater("暗点"));
    case FaultType::SubPixel:
        return PageLabel(plat::TranslateLater("子像素缺陷"));
    case FaultType::None:
        break;
    }
    return PageLabel(plat::TranslateLater("不均匀区域"));
}

std::string CheckTitle(const InspectionCheck& check)
{
    return PageText(check.caption.empty() ? check.name : check.caption);
}

std::string VerdictSection(const InspectionRecord& record)
{
    const PixelFaultCounts counts = CountPixelFaults(PixelFaultsOf(record));
    auto number = [](int value) { return PageNumber(std::to_string(value)); };
    return "<h2>" + PageLabel(plat::TranslateLater("结论")) + "</h2>\n<p class=\"verdict\">"
        + PageText(VerdictSentence(PixelFaultVerdict(record))) + "</p>\n<table class=\"keep\">\n<tr>"
        + PageHeading(plat::TranslateLater("亮点"), true) + PageHeading(plat::TranslateLater("暗点"), true)
        + PageHeading(plat::TranslateLater("子像素缺陷"), true) + PageHeading(plat::TranslateLater("亮点或暗点簇"), true)
        + PageHeading(plat::TranslateLater("子像素簇"), true) + "</tr>\n<tr>" + number(counts.lit) + number(counts.dark)
        + number(counts.subPixel) + number(counts.litOrDarkClusters) + number(counts.subPixelClusters) + "</tr>\n</table>\n";
}

std::string ChecksSection(const InspectionRecord& record)
{
    std::string html = "<h2>" + PageLabel(plat::TranslateLater("检查项目")) + "</h2>\n<table>\n<thead><tr>"
        + PageHeading(plat::TranslateLater("编号"), true) + PageHeading(plat::TranslateLater("检查"), false)
        + PageHeading(plat::TranslateLater("结果"), false) + PageHeading(plat::TranslateLater("标记"), true) + "</tr></thead>\n";
    for (std::size_t i = 0; i < record.checks.size(); ++i) {
        const InspectionCheck& check = record.checks[i];
        html += "<tr>" + PageNumber(std::to_string(i + 1)) + "<td>" + CheckTitle(check) + "</td><td>" + AnswerText(check.answer)
            + "</td>" + PageNumber(std::to_string(check.marks.size())) + "</tr>\n";
    }
    return html + "</table>\n";
}

// Numbered across the checks in the order made, as the map numbers them;
// printed over two sheets, the table's heading is repeated on the second.
std::string MarksSection(const InspectionRecord& record)
{
    std::string rows;
    int number = 0;
    for (const InspectionCheck& check : record.checks)
        for (plat::Point at : check.marks)
            rows += "<tr>" + PageNumber(std::to_string(++number)) + "<td>" + CheckTitle(check) + "</td>"
                + PageNumber(std::to_string(at.x) + ", " + std::to_string(at.y)) + "<td>" + MarkTypeText(check.marksAre)
                + "</td></tr>\n";
    if (number == 0)
        return {};
    return "<h2>" + PageLabel(plat::TranslateLater("标记")) + " (" + std::to_string(number) + ")</h2>\n<table>\n<thead><tr>"
        + PageHeading(plat::TranslateLater("编号"), true) + PageHeading(plat::TranslateLater("检查"), false)
        + PageHeading(plat::TranslateLater("位置"), true) + PageHeading(plat::TranslateLater("类型"), false) + "</tr></thead>\n" + rows
        + "</table>\n";
}

std::string ReadingsSection(const InspectionRecord& record)
{
    auto level = [](const std::optional<int>& value) { return value ? std::to_string(*value) : NotMeasured(); };
    std::string html = "<h2>" + PageLabel(plat::TranslateLater("读数")) + "</h2>\n<table class=\"keep\">\n"
        + PageRow(plat::TranslateLater("最暗可分辨灰阶"), level(record.darkestLevel))
        + PageRow(plat::TranslateLater("最亮可分辨灰阶"), level(record.lightestLevel))
        + PageRow(plat::TranslateLater("伽马"), record.gamma ? Fixed(*record.gamma, kGammaDecimals) : NotMeasured());
    if (!record.motion)
        return html + PageRow(plat::TranslateLater("运动"), NotMeasured()) + "</table>\n";
    const MotionFigures& motion = *record.motion;
    const std::string hz = Fixed(motion.refreshHz, kHzDecimals);
    return html + PageRow(plat::TranslateLater("刷新率"), std::isfinite(motion.refreshHz) ? hz + " Hz" : hz)
        + PageRow(plat::TranslateLater("保持的帧"), std::to_string(motion.framesHeld))
        + PageRow(plat::TranslateLater("丢弃的帧"), std::to_string(motion.framesDropped)) + "</table>\n";
}

}

std::string InspectionPageHtml(const InspectionRecord& record, const std::string& date)
{
    return PageHead(plat::TranslateLater("显示器检验报告"), record.monitor) + "<table>\n" + MonitorRows(record.monitor, date)
        + "</table>\n" + VerdictSection(record) + ChecksSection(record) + MarksSection(record) + ReadingsSection(record)
        + PageMapAndEnd();
}
