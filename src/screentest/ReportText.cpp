#include "screentest/ReportText.h"

#include "platform/intl/Translate.h"
#include "screentest/MotionText.h"
#include "screentest/ReportPage.h"

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
// monitor's own texts.
std::string ReportHtml(const MonitorIdentity& m, const std::vector<DefectMark>& marks,
    const std::vector<std::string>& captions, const std::string& date, const MotionReading* motion)
{
    std::string page = PageHead(plat::TranslateLater("坏点报告"), m) + "<table>\n" + MonitorRows(m, date)
        + (motion ? PageRow(plat::TranslateLater("运动测试"), PageText(MotionFigures(*motion))) : std::string()) + "</table>\n<h2>"
        + PageLabel(plat::TranslateLater("标记")) + " (" + std::to_string(marks.size()) + ")</h2>\n<table>\n<tr>"
        + PageHeading(plat::TranslateLater("编号"), true) + PageHeading(plat::TranslateLater("位置"), true)
        + PageHeading(plat::TranslateLater("图案"), false) + PageHeading(plat::TranslateLater("步骤"), true)
        + PageHeading(plat::TranslateLater("颜色"), false) + "</tr>\n";
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const DefectMark& mark = marks[i];
        const std::string& caption = i < captions.size() ? captions[i] : mark.pattern;
        page += "<tr>" + PageNumber(std::to_string(i + 1)) + PageNumber(std::to_string(mark.at.x) + ", " + std::to_string(mark.at.y))
            + "<td>" + PageText(caption) + "</td>" + PageNumber(std::to_string(mark.step)) + "<td>" + HexColor(mark.color)
            + "</td></tr>\n";
    }
    return page + "</table>\n" + PageMapAndEnd();
}
