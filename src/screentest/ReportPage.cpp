#include "screentest/ReportPage.h"

#include "platform/HtmlEscape.h"
#include "platform/intl/Translate.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr double kMmPerInch = 25.4;

// One sheet for both pages. Printed, the page is A4 with small margins and
// smaller type; a table row, a short table ("keep") or the map is never
// split over two sheets, and the map is no taller than a third of a sheet,
// so a report of a dozen checks fits on two.
constexpr std::string_view kStyle = "body{font-family:sans-serif;margin:2em}"
                                    "table{border-collapse:collapse}td,th{border:1px solid #888;padding:2px 8px;text-align:left}"
                                    ".n{text-align:right}img{max-width:100%}"
                                    ".verdict{border:2px solid #444;padding:6px 10px;font-weight:bold;display:inline-block}"
                                    "@page{size:A4;margin:12mm 14mm}"
                                    "@media print{body{margin:0;font-size:9.5pt}h1{font-size:15pt;margin:0 0 .4em}"
                                    "h2{font-size:11.5pt;margin:.9em 0 .3em;break-after:avoid}"
                                    "tr,img,.keep{break-inside:avoid}img{max-height:90mm}}";

// One decimal, the same in every locale.
std::string Decimal(double value)
{
    std::array<char, 32> text {};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 1);
    return std::string(text.data(), result.ptr);
}

std::string OrUnknown(const std::string& text)
{
    return text.empty() ? PageLabel(plat::TranslateLater("未知")) : PageText(text);
}

}

std::string PageText(std::string_view text)
{
    return plat::HtmlEscaped(text, plat::HtmlContext::Anywhere);
}

std::string PageLabel(std::string_view chinese)
{
    return PageText(plat::Translate(chinese));
}

std::string PageHead(std::string_view title, const MonitorIdentity& monitor)
{
    const std::string heading = PageLabel(title);
    return "<!DOCTYPE html>\n<html lang=\"" + PageLabel(plat::TranslateLater("zh-CN")) + "\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
        + heading + " - " + PageText(monitor.name) + "</title>\n<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n<h1>"
        + heading + "</h1>\n";
}

std::string PageRow(std::string_view label, const std::string& value)
{
    return "<tr><th>" + PageLabel(label) + "</th><td>" + value + "</td></tr>\n";
}

std::string PageHeading(std::string_view label, bool number)
{
    return (number ? "<th class=\"n\">" : "<th>") + PageLabel(label) + "</th>";
}

std::string PageNumber(const std::string& text)
{
    return "<td class=\"n\">" + text + "</td>";
}

std::string MonitorRows(const MonitorIdentity& m, const std::string& date)
{
    const std::string resolution = m.width > 0 ? std::to_string(m.width) + " x " + std::to_string(m.height) : OrUnknown({});
    std::string rows = PageRow(plat::TranslateLater("显示器"), std::to_string(m.index) + ": " + OrUnknown(m.name))
        + PageRow(plat::TranslateLater("分辨率"), resolution);
    if (m.widthMm > 0 && m.heightMm > 0) {
        const double inches = std::hypot(m.widthMm, m.heightMm) / kMmPerInch;
        const std::string cm = Decimal(m.widthMm / 10.0) + " x " + Decimal(m.heightMm / 10.0) + " cm";
        rows += PageRow(plat::TranslateLater("屏幕尺寸"), cm + " (" + Decimal(inches) + " " + PageLabel(plat::TranslateLater("英寸")) + ")");
    }
    return rows + PageRow(plat::TranslateLater("厂商"), OrUnknown(m.maker)) + PageRow(plat::TranslateLater("型号"), OrUnknown(m.model))
        + PageRow(plat::TranslateLater("序列号"), OrUnknown(m.serial)) + PageRow(plat::TranslateLater("生产日期"), OrUnknown(m.made))
        + PageRow(plat::TranslateLater("测试日期"), PageText(date));
}

std::string ReportDate(std::time_t when)
{
    std::tm local {};
    localtime_r(&when, &local);
    char date[32];
    (void)std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", &local);
    return date;
}

std::string PageMapAndEnd()
{
    const std::string map = PageLabel(plat::TranslateLater("位置图"));
    return "<h2>" + map + "</h2>\n<p><img src=\"map.png\" alt=\"" + map + "\"></p>\n</body>\n</html>\n";
}
