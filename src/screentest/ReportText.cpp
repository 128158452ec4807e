#include "screentest/ReportText.h"

#include "platform/HtmlEscape.h"
#include "platform/intl/Translate.h"
#include "screentest/MotionText.h"

#include <cstdio>

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            (void)std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

namespace {

std::string JsonOrNull(const std::string& text)
{
    return text.empty() ? "null" : JsonString(text);
}

std::string NumberOrNull(int value)
{
    return value > 0 ? std::to_string(value) : "null";
}

// A number with `decimals` decimals, the same in every locale.
std::string Fixed(double value, int decimals)
{
    char text[64];
    (void)std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string out = text;
    for (char& c : out)
        c = c == ',' ? '.' : c;
    return out;
}

std::string SourceName(plat::present::TimingSource source)
{
    switch (source) {
    case plat::present::TimingSource::Vblank:
        return "vblank";
    case plat::present::TimingSource::Compositor:
        return "compositor";
    case plat::present::TimingSource::Estimated:
        break;
    }
    return "estimated";
}

std::string MotionJson(const MotionReading& r)
{
    return "{\"frames\": " + std::to_string(r.frames) + ", \"held\": " + std::to_string(r.held) + ", \"dropped\": "
        + std::to_string(r.dropped) + ", \"measured_hz\": " + (r.measuredHz ? Fixed(*r.measuredHz, 3) : "null")
        + ", \"variable\": " + (r.variable ? "true" : "false") + ", \"nominal_hz\": "
        + (r.nominalHz > 0 ? Fixed(r.nominalHz, 3) : "null") + ", \"deviation_us\": " + Fixed(r.deviationUs, 0)
        + ", \"source\": " + JsonString(SourceName(r.source)) + "}";
}

std::string Html(const std::string& text)
{
    return plat::HtmlEscaped(text, plat::HtmlContext::Anywhere);
}

std::string HtmlOrUnknown(const std::string& text)
{
    return Html(text.empty() ? plat::Translate("未知") : text);
}

}

std::string HexColor(plat::COLORREF color)
{
    char text[8];
    (void)std::snprintf(text, sizeof text, "#%02X%02X%02X", plat::GetRValue(color), plat::GetGValue(color), plat::GetBValue(color));
    return text;
}

std::string MonitorJson(const MonitorIdentity& m)
{
    return "{\"index\": " + std::to_string(m.index) + ", \"name\": " + JsonOrNull(m.name)
        + ", \"width\": " + NumberOrNull(m.width) + ", \"height\": " + NumberOrNull(m.height)
        + ", \"maker\": " + JsonOrNull(m.maker) + ", \"model\": " + JsonOrNull(m.model)
        + ", \"serial\": " + JsonOrNull(m.serial) + ", \"made\": " + JsonOrNull(m.made) + "}";
}

std::string ReportJson(const MonitorIdentity& m, const std::vector<DefectMark>& marks, const MotionReading* motion)
{
    std::string json = "{\"monitor\": " + MonitorJson(m) + ",\n";
    if (motion)
        json += " \"motion\": " + MotionJson(*motion) + ",\n";
    json += " \"marks\": [";
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const DefectMark& mark = marks[i];
        json += i == 0 ? "\n  " : ",\n  ";
        json += "{\"x\": " + std::to_string(mark.at.x) + ", \"y\": " + std::to_string(mark.at.y) + ", \"pattern\": "
            + JsonString(mark.pattern) + ", \"step\": " + std::to_string(mark.step) + ", \"color\": "
            + JsonString(HexColor(mark.color)) + "}";
    }
    return json + (marks.empty() ? "]}\n" : "\n ]}\n");
}

// The page is in the language the program shows; its labels come from the
// catalogue like every other text a person reads, and are escaped like the
// monitor's own texts: a catalogue is text, not markup. Text columns are
// left-aligned, numbers right-aligned (class "n").
std::string ReportHtml(const MonitorIdentity& m, const std::vector<DefectMark>& marks,
    const std::vector<std::string>& captions, const std::string& date, const MotionReading* motion)
{
    auto label = [](std::string_view chinese) { return Html(plat::Translate(chinese)); };
    auto row = [&](std::string_view name, const std::string& value) {
        return "<tr><th>" + label(name) + "</th><td>" + value + "</td></tr>\n";
    };
    auto heading = [&](std::string_view name, bool number) {
        return (number ? "<th class=\"n\">" : "<th>") + label(name) + "</th>";
    };
    auto number = [](const std::string& text) { return "<td class=\"n\">" + text + "</td>"; };
    std::string size = m.width > 0 ? std::to_string(m.width) + " x " + std::to_string(m.height) : label(plat::TranslateLater("未知"));
    std::string title = label(plat::TranslateLater("坏点报告"));
    std::string page = "<!DOCTYPE html>\n<html lang=\"" + label(plat::TranslateLater("zh-CN")) + "\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
        + title + " - " + Html(m.name) + "</title>\n<style>body{font-family:sans-serif;margin:2em}"
        + "table{border-collapse:collapse}td,th{border:1px solid #888;padding:2px 8px;text-align:left}"
        + ".n{text-align:right}</style>\n</head>\n<body>\n<h1>" + title + "</h1>\n<table>\n"
        + row(plat::TranslateLater("显示器"), std::to_string(m.index) + ": " + HtmlOrUnknown(m.name)) + row(plat::TranslateLater("分辨率"), size)
        + row(plat::TranslateLater("厂商"), HtmlOrUnknown(m.maker)) + row(plat::TranslateLater("型号"), HtmlOrUnknown(m.model))
        + row(plat::TranslateLater("序列号"), HtmlOrUnknown(m.serial)) + row(plat::TranslateLater("生产日期"), HtmlOrUnknown(m.made))
        + row(plat::TranslateLater("测试日期"), Html(date))
        + (motion ? row(plat::TranslateLater("运动测试"), Html(MotionFigures(*motion))) : std::string())
        + "</table>\n<h2>" + label(plat::TranslateLater("标记")) + " (" + std::to_string(marks.size())
        + ")</h2>\n<table>\n<tr>" + heading(plat::TranslateLater("编号"), true) + heading(plat::TranslateLater("位置"), true)
        + heading(plat::TranslateLater("图案"), false) + heading(plat::TranslateLater("步骤"), true)
        + heading(plat::TranslateLater("颜色"), false) + "</tr>\n";
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const DefectMark& mark = marks[i];
        const std::string& caption = i < captions.size() ? captions[i] : mark.pattern;
        page += "<tr>" + number(std::to_string(i + 1)) + number(std::to_string(mark.at.x) + ", " + std::to_string(mark.at.y))
            + "<td>" + Html(caption) + "</td>" + number(std::to_string(mark.step)) + "<td>" + HexColor(mark.color)
            + "</td></tr>\n";
    }
    const std::string map = label(plat::TranslateLater("位置图"));
    page += "</table>\n<h2>" + map + "</h2>\n<p><img src=\"map.png\" alt=\"" + map + "\"></p>\n</body>\n</html>\n";
    return page;
}
